# The resource scripts name icons, headers and the manifest that windres reads without
# telling the build: list them as dependencies so a changed icon is compiled in again.
file(GLOB VARNEL_RESOURCE_INPUTS CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/resources/icons/*.ico
    ${PROJECT_SOURCE_DIR}/resources/*.h
    ${PROJECT_SOURCE_DIR}/resources/*.manifest
    ${PROJECT_SOURCE_DIR}/resources/icons.rc)
set_source_files_properties(
    ${PROJECT_SOURCE_DIR}/resources/varnel.rc ${PROJECT_SOURCE_DIR}/resources/icons.rc
    DIRECTORY ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests
    PROPERTIES OBJECT_DEPENDS "${VARNEL_RESOURCE_INPUTS}")

# The version resource and the manifest carry the project's version; a release that
# changes one place only would ship mismatched numbers.
file(READ ${PROJECT_SOURCE_DIR}/resources/version.h VARNEL_VERSION_HEADER)
set(VARNEL_RESOURCE_VERSION "")
foreach(part MAJOR MINOR PATCH)
    string(REGEX MATCH "#define VARNEL_VERSION_${part} ([0-9]+)" match "${VARNEL_VERSION_HEADER}")
    list(APPEND VARNEL_RESOURCE_VERSION ${CMAKE_MATCH_1})
endforeach()
list(JOIN VARNEL_RESOURCE_VERSION "." VARNEL_RESOURCE_VERSION)
file(READ ${PROJECT_SOURCE_DIR}/resources/varnel.manifest VARNEL_MANIFEST)
string(REGEX MATCH "name=\"Varnel.Varnel\"[ \t\r\n]+version=\"([0-9.]+)\"" match "${VARNEL_MANIFEST}")
set(VARNEL_MANIFEST_VERSION "${CMAKE_MATCH_1}")
if(NOT VARNEL_RESOURCE_VERSION VERSION_EQUAL PROJECT_VERSION
   OR NOT VARNEL_MANIFEST_VERSION VERSION_EQUAL "${PROJECT_VERSION}.0")
    message(FATAL_ERROR "resources/version.h (${VARNEL_RESOURCE_VERSION}) or resources/varnel.manifest "
        "(${VARNEL_MANIFEST_VERSION}) differs from the project version ${PROJECT_VERSION}")
endif()
