# giflib: Debian's libgif-dev for the native build; for the Windows build a
# static library compiled from Debian's source package, which scripts/setup.sh
# unpacks under build/third_party (never committed).
add_library(quillmere_giflib INTERFACE)

if(WIN32)
  set(QUILLMERE_GIFLIB_SOURCE "${CMAKE_SOURCE_DIR}/build/third_party/giflib"
      CACHE PATH "Unpacked giflib source tree")
  if(NOT EXISTS "${QUILLMERE_GIFLIB_SOURCE}/gif_lib.h")
    message(FATAL_ERROR "giflib sources not found in ${QUILLMERE_GIFLIB_SOURCE}: run scripts/setup.sh")
  endif()
  add_library(giflib_static STATIC
    ${QUILLMERE_GIFLIB_SOURCE}/dgif_lib.c
    ${QUILLMERE_GIFLIB_SOURCE}/egif_lib.c
    ${QUILLMERE_GIFLIB_SOURCE}/gifalloc.c
    ${QUILLMERE_GIFLIB_SOURCE}/gif_err.c
    ${QUILLMERE_GIFLIB_SOURCE}/gif_hash.c
    ${QUILLMERE_GIFLIB_SOURCE}/openbsd-reallocarray.c)
  target_include_directories(giflib_static SYSTEM PUBLIC ${QUILLMERE_GIFLIB_SOURCE})
  target_link_libraries(quillmere_giflib INTERFACE giflib_static)
else()
  find_package(GIF REQUIRED)
  target_link_libraries(quillmere_giflib INTERFACE GIF::GIF)
endif()
