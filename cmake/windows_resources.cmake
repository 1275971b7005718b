# Every Windows executable carries a version resource (what Properties >
# Details shows: version, product, description, copyright) and an embedded
# application manifest, both from one template.
if(NOT WIN32)
  return()
endif()

enable_language(RC)

file(STRINGS LICENSE copyright REGEX "^Copyright " LIMIT_COUNT 1)
set(manifest ${CMAKE_CURRENT_LIST_DIR}/windows/application.manifest)

foreach(program IN LISTS programs)
  # What the program does: the NAME line of its man page, capitalised.
  file(STRINGS ${program}/${program}.1.in summary
    REGEX "^${program} \\\\- " LIMIT_COUNT 1)
  string(REGEX REPLACE "^${program} \\\\- " "" summary "${summary}")
  string(SUBSTRING "${summary}" 0 1 first)
  string(SUBSTRING "${summary}" 1 -1 rest)
  string(TOUPPER "${first}" first)
  set(description "${first}${rest}")

  set(resources ${CMAKE_CURRENT_BINARY_DIR}/${program}.rc)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/resources.rc.in ${resources} @ONLY)
  target_sources(${program} PRIVATE ${resources})
  # The resource compiler reads the manifest; nothing tells the build so.
  set_source_files_properties(${resources} PROPERTIES OBJECT_DEPENDS ${manifest})
  if(MSVC)
    # The manifest is in the resources already; a second one from the
    # linker would collide with it.
    target_link_options(${program} PRIVATE /MANIFEST:NO)
  endif()
endforeach()
