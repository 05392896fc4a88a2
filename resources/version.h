/* Varnel's version, for the C++ sources and the resource compiler alike. The numbers must
   match project(Varnel VERSION ...) in the top-level CMakeLists.txt. */
#ifndef VARNEL_VERSION_H
#define VARNEL_VERSION_H

#define VARNEL_VERSION_MAJOR 0
#define VARNEL_VERSION_MINOR 7
#define VARNEL_VERSION_PATCH 3

#define VARNEL_STRINGIZE_(x) #x
#define VARNEL_STRINGIZE(x) VARNEL_STRINGIZE_(x)

/* "0.7.3" */
#define VARNEL_VERSION_STRING \
    VARNEL_STRINGIZE(VARNEL_VERSION_MAJOR.VARNEL_VERSION_MINOR.VARNEL_VERSION_PATCH)

#endif
