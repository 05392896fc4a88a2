# Boost (header-only parts) and GoogleTest, both from Debian's packages.

if(CMAKE_CROSSCOMPILING)
    # The MinGW compiler must not see /usr/include as a whole, only Boost: an include
    # folder in the build tree that holds nothing but a link to the Boost headers.
    set(VARNEL_BOOST_INCLUDE ${CMAKE_BINARY_DIR}/boost-include)
    if(NOT EXISTS ${VARNEL_BOOST_INCLUDE}/boost)
        file(MAKE_DIRECTORY ${VARNEL_BOOST_INCLUDE})
        file(CREATE_LINK /usr/include/boost ${VARNEL_BOOST_INCLUDE}/boost SYMBOLIC)
    endif()
else()
    find_package(Boost 1.81 REQUIRED)
    set(VARNEL_BOOST_INCLUDE ${Boost_INCLUDE_DIRS})
endif()

add_library(varnel_boost INTERFACE)
target_include_directories(varnel_boost SYSTEM INTERFACE ${VARNEL_BOOST_INCLUDE})
target_compile_definitions(varnel_boost INTERFACE BOOST_ALL_NO_LIB BOOST_DATE_TIME_NO_LIB)

if(VARNEL_FUZZ)
    return()
endif()

set(VARNEL_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${VARNEL_GOOGLETEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
