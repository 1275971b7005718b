# Read by cpack once for each generator it runs, with CPACK_GENERATOR naming
# that one.

if(CPACK_GENERATOR STREQUAL "External")
  # The .deb: one tree, rooted where Debian installs packages.
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_MONOLITHIC_INSTALL ON)
endif()
