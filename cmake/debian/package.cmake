# Makes the .deb with Debian's dpkg-deb from the tree that CPack has staged
# under /usr; cpack runs it as the External generator's package script.
#
# dpkg-deb sorts the entries, writes its container the same whatever the
# umask, gives every file to root and takes its times from
# SOURCE_DATE_EPOCH, so the package depends on what it holds alone.

find_program(DPKG_DEB dpkg-deb)
find_program(DPKG dpkg)
if(NOT DPKG_DEB OR NOT DPKG)
  message(FATAL_ERROR "dpkg-deb not found: the .deb is made with Debian's dpkg.")
endif()

set(root ${CPACK_TEMPORARY_DIRECTORY})
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(readable OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

if(CPACK_DEBIAN_LINTIAN_OVERRIDES)
  file(INSTALL ${CPACK_DEBIAN_LINTIAN_OVERRIDES}
    DESTINATION ${root}/usr/share/lintian/overrides
    RENAME ${CPACK_DEBIAN_PACKAGE_NAME} PERMISSIONS ${readable} MESSAGE_NEVER)
endif()

# A checksum of every file, and the space they take, in KiB as dpkg counts.
# Each file is touched too: install keeps a source file's time, and dpkg-deb
# brings only later times back to SOURCE_DATE_EPOCH, so a file older than
# the last commit would keep its own.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
set(md5sums "")
set(installed_size 0)
foreach(file IN LISTS files)
  file(TOUCH_NOCREATE ${root}/${file})
  file(MD5 ${root}/${file} md5)
  string(APPEND md5sums "${md5}  ${file}\n")
  file(SIZE ${root}/${file} bytes)
  math(EXPR installed_size "${installed_size} + (${bytes} + 1023) / 1024")
endforeach()

execute_process(COMMAND ${DPKG} --print-architecture
  OUTPUT_VARIABLE architecture OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

configure_file(${CMAKE_CURRENT_LIST_DIR}/control.in ${root}/DEBIAN/control @ONLY)
file(WRITE ${root}/DEBIAN/md5sums "${md5sums}")
file(CHMOD ${root} ${root}/DEBIAN DIRECTORY_PERMISSIONS ${CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
file(CHMOD ${root}/DEBIAN/control ${root}/DEBIAN/md5sums PERMISSIONS ${readable})

set(deb ${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_DEBIAN_PACKAGE_NAME}_${CPACK_PACKAGE_VERSION}_${architecture}.deb)
execute_process(COMMAND ${DPKG_DEB} --root-owner-group -Zgzip --build ${root} ${deb}
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES ${deb})
