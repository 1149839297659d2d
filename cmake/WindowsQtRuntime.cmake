# What a Windows program on Qt's DLLs needs beside it: the compiler's runtime
# DLLs that Qt's DLLs use, in KAVEL_WINDOWS_RUNTIME_DLLS, for the programs'
# folder and the window tests.
set(KAVEL_WINDOWS_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE runtime_dll OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${runtime_dll}")
    message(FATAL_ERROR "The compiler's ${dll} was not found")
  endif()
  list(APPEND KAVEL_WINDOWS_RUNTIME_DLLS ${runtime_dll})
endforeach()

# For the programs of the calling folder: they use the same runtime DLLs as
# Qt, rather than a second, static copy of the C++ runtime.
# The stack protector's library stays linked in all the same (at the end of
# the link line, where the programs' own objects have asked for it), so that
# nothing but Qt's runtime DLLs has to lie beside them.
macro(kavel_use_runtime_dlls)
  string(REPLACE "-static" "" CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS}")
  string(APPEND CMAKE_CXX_STANDARD_LIBRARIES " -Wl,-Bstatic -lssp -Wl,-Bdynamic")
endmacro()
