# Beside each site file a server may send compressed, its brotli (.br) and
# gzip (.gz) forms, made once here at the highest levels rather than by the
# server per request: serve-site and the board send them as they are, and so
# can any static server (nginx's brotli_static and gzip_static). Both tools
# write the same bytes for the same input (gzip -n leaves out name and time),
# so the release's zip stays reproducible.
#   cmake -DSITE=<site folder> -P compress_site.cmake
if(NOT DEFINED SITE)
  message(FATAL_ERROR "compress_site.cmake: SITE not given")
endif()
find_program(BROTLI brotli)
find_program(GZIP gzip)
if(NOT BROTLI OR NOT GZIP)
  message(FATAL_ERROR "compress_site.cmake: brotli and gzip are needed (scripts/install-deps --web)")
endif()
file(GLOB files ${SITE}/*.html ${SITE}/*.js ${SITE}/*.wasm ${SITE}/*.ico ${SITE}/*.webmanifest
     ${SITE}/*.sounds)
foreach(file IN LISTS files)
  if(NOT EXISTS ${file}.br OR ${file} IS_NEWER_THAN ${file}.br)
    # Through a pipe: brotli would give a file it writes the input's time,
    # and a server takes a form older than its file for an earlier build's.
    execute_process(COMMAND ${BROTLI} -q 11 -c ${file} OUTPUT_FILE ${file}.br.part
                    COMMAND_ERROR_IS_FATAL ANY)
    file(RENAME ${file}.br.part ${file}.br)
  endif()
  if(NOT EXISTS ${file}.gz OR ${file} IS_NEWER_THAN ${file}.gz)
    execute_process(COMMAND ${GZIP} -9 -n -c ${file} OUTPUT_FILE ${file}.gz.part
                    COMMAND_ERROR_IS_FATAL ANY)
    file(RENAME ${file}.gz.part ${file}.gz)
  endif()
endforeach()
