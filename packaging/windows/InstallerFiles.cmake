# Writes the installer's list of the programs' folder, FOLDER, to OUTPUT, as
# macros:
#   WriteNewFiles    every file written beside its place, as <name>.kavel-new
#   SwapInNewFiles   each old file renamed <name>.kavel-old, each new one
#                    renamed into its place; an error flag on any failure
#   UndoSwap         the old files back in their places, the new ones gone
#   DropSwapLeftovers  the .kavel-new and .kavel-old files removed
#   IsShipped VAR LABEL  jumps to LABEL when VAR (a path in the folder, with
#                    backslashes) is a file of this version
#   WriteFileList    installed-files.txt in the folder: this version's files,
#                    one a line, which the next version removes where it no
#                    longer ships them
#   RemoveFiles      every file removed by name, then the folders, deepest
#                    first, where they are left empty
#   cmake -DFOLDER=<folder> -DOUTPUT=<list.nsh> -P InstallerFiles.cmake
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${FOLDER} ${FOLDER}/*)
list(SORT files)
set(write "!macro WriteNewFiles\n")
set(swap "!macro SwapInNewFiles\n")
set(undo "!macro UndoSwap\n")
set(drop "!macro DropSwapLeftovers\n")
set(shipped "!macro IsShipped VAR LABEL\n")
set(list_file "!macro WriteFileList\n  FileOpen $9 \"$INSTDIR\\installed-files.txt\" w\n")
set(remove "!macro RemoveFiles\n")
set(folders)
set(current "-")
foreach(file ${files})
  get_filename_component(folder "${file}" DIRECTORY)
  get_filename_component(name "${file}" NAME)
  string(REPLACE "/" "\\" windows_file "${file}")
  set(at "$INSTDIR\\${windows_file}")
  if(NOT folder STREQUAL current)
    set(target "$INSTDIR")
    if(folder)
      string(REPLACE "/" "\\" windows_folder "${folder}")
      set(target "$INSTDIR\\${windows_folder}")
    endif()
    string(APPEND write "  SetOutPath \"${target}\"\n")
    set(current "${folder}")
  endif()
  string(APPEND write "  File \"/oname=${name}.kavel-new\" \"${FOLDER}/${file}\"\n")
  # A folder in a file's place is an error, never renamed away.
  string(APPEND swap "  \${If} \${FileExists} \"${at}\\*.*\"\n    SetErrors\n  \${EndIf}\n"
                     "  \${If} \${FileExists} \"${at}\"\n    Rename \"${at}\" \"${at}.kavel-old\"\n"
                     "  \${EndIf}\n  Rename \"${at}.kavel-new\" \"${at}\"\n")
  string(APPEND undo "  \${If} \${FileExists} \"${at}.kavel-old\"\n    Delete \"${at}\"\n"
                     "    Rename \"${at}.kavel-old\" \"${at}\"\n  \${EndIf}\n"
                     "  Delete \"${at}.kavel-new\"\n")
  string(APPEND drop "  Delete \"${at}.kavel-new\"\n  Delete \"${at}.kavel-old\"\n")
  string(APPEND shipped "  StrCmp \${VAR} \"${windows_file}\" \${LABEL}\n")
  string(APPEND list_file "  FileWrite $9 \"${windows_file}$\\r$\\n\"\n")
  string(APPEND remove "  Delete \"${at}\"\n")
  while(folder)
    list(APPEND folders "${folder}")
    get_filename_component(folder "${folder}" DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES folders)
# A folder sorts before the folders inside it: reversed, they come first.
list(SORT folders)
list(REVERSE folders)
foreach(folder ${folders})
  string(REPLACE "/" "\\" windows_folder "${folder}")
  string(APPEND remove "  RMDir \"$INSTDIR\\${windows_folder}\"\n")
endforeach()
string(APPEND write "  SetOutPath \"$INSTDIR\"\n")
string(APPEND list_file "  FileClose $9\n")
foreach(macro write swap undo drop shipped list_file remove)
  string(APPEND ${macro} "!macroend\n")
endforeach()
file(WRITE ${OUTPUT} "${write}${swap}${undo}${drop}${shipped}${list_file}${remove}")
