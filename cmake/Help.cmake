# The Help command opens help\varnel.htm beside varnel.exe, so every build of the program
# gets a fresh copy of help/ in its own folder. The copy is made again whenever a file of
# help/ changes, is added or is removed (the folder is replaced as a whole, so a deleted
# page does not linger in the build).
if(NOT TARGET varnel)
    return()
endif()

file(GLOB_RECURSE VARNEL_HELP_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/help/*)
# A list that is rewritten only when it changes: a removed file changes no remaining
# file's time, but it changes this list.
set(VARNEL_HELP_LIST ${CMAKE_CURRENT_BINARY_DIR}/help-files.txt)
file(CONFIGURE OUTPUT ${VARNEL_HELP_LIST} CONTENT "${VARNEL_HELP_FILES}")
set(VARNEL_HELP_STAMP ${CMAKE_CURRENT_BINARY_DIR}/help.stamp)
add_custom_command(
    OUTPUT ${VARNEL_HELP_STAMP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf $<TARGET_FILE_DIR:varnel>/help
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/help $<TARGET_FILE_DIR:varnel>/help
    COMMAND ${CMAKE_COMMAND} -E touch ${VARNEL_HELP_STAMP}
    DEPENDS ${VARNEL_HELP_FILES} ${VARNEL_HELP_LIST}
    COMMENT "Copying the help pages beside varnel.exe"
    VERBATIM)
add_custom_target(varnel_help DEPENDS ${VARNEL_HELP_STAMP})
add_dependencies(varnel varnel_help)
