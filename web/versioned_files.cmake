# The site's files that carry the version: the page shows it, and the
# service worker names its cache after it and lists the files to keep.
#   cmake -DSOURCE=<web folder> -DSITE=<site folder> -DVERSION=<x.y.z>
#         -DFILES=<file,file,...> -P versioned_files.cmake
foreach(input SOURCE SITE VERSION FILES)
  if(NOT DEFINED ${input})
    message(FATAL_ERROR "versioned_files.cmake: ${input} not given")
  endif()
endforeach()
set(SNOWVEL_VERSION ${VERSION})
string(REPLACE "," "', '" SNOWVEL_SITE_FILES "'${FILES}'")
configure_file(${SOURCE}/index.html ${SITE}/index.html @ONLY)
configure_file(${SOURCE}/sw.js ${SITE}/sw.js @ONLY)
