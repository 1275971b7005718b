# What `cmake --install` puts where, and the packages CPack makes of it: a
# .tar.gz and a .deb on Linux, a .zip on Windows.

# Debian allows no "_" in a package name; on Linux the documents are kept
# under the same name as the package, as Debian has it.
string(REPLACE "_" "-" package_name ${PROJECT_NAME})
set(CMAKE_INSTALL_DOCDIR share/doc/${package_name} CACHE PATH
  "Documentation (README, LICENSE, copyright, changelog)")
include(GNUInstallDirs)

# Folders get the same modes whatever the builder's umask, so the packages
# come out the same for everyone.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS ${programs} COMPONENT programs)

# Text as the continuation of a Debian field: every line indented by one
# blank, and an empty line between paragraphs written as " .".
function(as_debian_field_text out text)
  string(REPLACE "\n\n" "\n.\n" text "${text}")
  string(REPLACE "\n" "\n " text " ${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(CONSOLE_BASICS_MAINTAINER "console_basics developers <console-basics@example.org>"
  CACHE STRING "Maintainer of the Debian package, as \"Name <address>\"")

if(WIN32)
  install(FILES README.md LICENSE DESTINATION . COMPONENT docs)
else()
  set(doc ${PROJECT_BINARY_DIR}/doc)

  # The machine-readable copyright file: the notice and the terms of LICENSE.
  file(READ LICENSE license)
  string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)\n\n(.*[^\n])" _ "${license}")
  set(copyright_holders "${CMAKE_MATCH_1}")
  as_debian_field_text(license_terms "${CMAKE_MATCH_2}")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/copyright.in ${doc}/copyright @ONLY)

  # The changelog is written by hand; its latest entry must be this version.
  set(changelog ${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in)
  file(STRINGS ${changelog} latest LIMIT_COUNT 1)
  string(FIND "${latest}" " (${PROJECT_VERSION}) " at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${changelog}: the latest entry is not for ${PROJECT_VERSION}.")
  endif()
  configure_file(${changelog} ${doc}/changelog @ONLY)

  # The man pages and the changelog are compressed as Debian wants them: at
  # the highest level, with no file name or time stamp inside, so that the
  # bytes depend on the text alone.
  set(man_pages)
  foreach(program IN LISTS programs)
    configure_file(${program}/${program}.1.in ${doc}/${program}.1 @ONLY)
    list(APPEND man_pages ${doc}/${program}.1.gz)
  endforeach()
  find_program(GZIP gzip REQUIRED)
  foreach(compressed IN LISTS man_pages ITEMS ${doc}/changelog.gz)
    string(REGEX REPLACE "[.]gz$" "" text ${compressed})
    add_custom_command(OUTPUT ${compressed}
      COMMAND ${GZIP} -9 --no-name --keep --force ${text}
      DEPENDS ${text} VERBATIM)
  endforeach()
  add_custom_target(compressed_docs ALL DEPENDS ${man_pages} ${doc}/changelog.gz)

  install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT docs)
  install(FILES README.md LICENSE ${doc}/copyright ${doc}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT docs)
endif()

set(CPACK_PACKAGE_VENDOR "console_basics developers")
set(CPACK_PACKAGE_CONTACT "${CONSOLE_BASICS_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION [[
swap_values prints two integers, exchanges them through a third variable
and prints them again. echo_integer asks for an integer, reads it with C++
formatted extraction and writes it back.

Both take no options, read no files or environment variables, and exit
with status 0 whatever the input.]])
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)

# An archive generator lists a package's entries in the order the file
# system gives them, unless it packs component by component: then it sorts
# them. One archive still holds every component.
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)

# The .deb is made by Debian's own dpkg-deb, from the tree CPack stages: it
# sorts the entries, and its container does not depend on the umask.
set(CPACK_EXTERNAL_ENABLE_STAGING ON)
set(CPACK_EXTERNAL_REQUESTED_VERSIONS 1.0)
set(CPACK_EXTERNAL_PACKAGE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/debian/package.cmake)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_generators.cmake)
set(CPACK_DEBIAN_PACKAGE_NAME ${package_name})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
as_debian_field_text(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
if(CONSOLE_BASICS_STATIC)
  set(CPACK_DEBIAN_LINTIAN_OVERRIDES ${CMAKE_CURRENT_LIST_DIR}/debian/lintian-overrides)
endif()

include(CPack)
