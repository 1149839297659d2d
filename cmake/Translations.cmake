# The windows' translations: translations/*.ts in the tree, each compiled by
# the build machine's own lrelease and built into the program as
# :/i18n/<name>.qm, on Linux and for Windows alike (a Qt cross-built for
# Windows has no Linguist tools: the machine's serve, as its moc and uic do).
# ./scripts/translations refreshes the .ts files from the sources (lupdate).
find_program(KAVEL_LRELEASE lrelease HINTS /usr/lib/qt6/bin ${QT_HOST_PATH}/lib/qt6/bin
             NO_CMAKE_FIND_ROOT_PATH REQUIRED)
# Qt's own texts that the windows show are in translations/qt-texts_pl.ts, of
# Qt's contexts: the Windows programs carry no Qt translation of Debian's, and
# on Linux the system's is used beside ours.

#   kavel_add_translations(TARGET TS_FILE...)
function(kavel_add_translations target)
  set(qm_files)
  foreach(ts ${ARGN})
    get_filename_component(name ${ts} NAME_WE)
    set(qm ${CMAKE_CURRENT_BINARY_DIR}/i18n/${name}.qm)
    add_custom_command(OUTPUT ${qm}
      COMMAND ${KAVEL_LRELEASE} -silent ${ts} -qm ${qm}
      DEPENDS ${ts}
      COMMENT "Compiling ${name}.qm"
      VERBATIM)
    list(APPEND qm_files ${qm})
  endforeach()
  set_source_files_properties(${qm_files} PROPERTIES GENERATED TRUE)
  qt_add_resources(${target} ${target}_translations PREFIX /i18n
                   BASE ${CMAKE_CURRENT_BINARY_DIR}/i18n FILES ${qm_files})
endfunction()
