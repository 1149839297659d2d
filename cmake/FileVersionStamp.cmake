# Stamps a four-part file version into an executable, where GetFileVersionText
# finds it again (the Linux stand-in for a Windows version resource).
set(KAVEL_VERSION_STAMP_TEMPLATE ${CMAKE_CURRENT_LIST_DIR}/FileVersionStamp.cpp.in)

function(stamp_file_version target major minor release build)
  set(STAMP_MAJOR ${major})
  set(STAMP_MINOR ${minor})
  set(STAMP_RELEASE ${release})
  set(STAMP_BUILD ${build})
  set(stamp_source ${CMAKE_CURRENT_BINARY_DIR}/${target}_file_version.cpp)
  configure_file(${KAVEL_VERSION_STAMP_TEMPLATE} ${stamp_source} @ONLY)
  target_sources(${target} PRIVATE ${stamp_source})
endfunction()
