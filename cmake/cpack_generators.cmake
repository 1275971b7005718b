# Read by cpack once for each generator it runs, with CPACK_GENERATOR naming
# that one.

if(CPACK_GENERATOR STREQUAL "External")
  # The .deb: one tree, rooted where Debian installs packages.
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_MONOLITHIC_INSTALL ON)
endif()

if(CPACK_GENERATOR STREQUAL "ZIP")
  # Zip keeps local times: take them in UTC, so that the builder's time zone
  # does not show in the archive.
  set(ENV{TZ} UTC)
endif()
