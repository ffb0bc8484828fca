# Makes the built site installable and usable offline, once every other file
# of it is written: copies the web app manifest, its icons and the worker's
# registration, links them (and the icon) into index.html when the page does
# not already, and writes the service worker with the list of the site's files
# and a version made from their contents. Run again, it changes nothing.
#   cmake -DSITE_DIR=<built site> -P finish_site.cmake
cmake_minimum_required(VERSION 3.25)
get_filename_component(SITE_DIR "${SITE_DIR}" ABSOLUTE)
if(NOT IS_DIRECTORY "${SITE_DIR}" OR NOT EXISTS "${SITE_DIR}/index.html")
  message(FATAL_ERROR "finish_site.cmake: no site with an index.html in '${SITE_DIR}'")
endif()
set(pwa ${CMAKE_CURRENT_LIST_DIR})

file(COPY ${pwa}/manifest.webmanifest ${pwa}/register_worker.js ${pwa}/icons DESTINATION ${SITE_DIR})

file(READ ${SITE_DIR}/index.html page)
if(NOT page MATCHES "manifest\\.webmanifest")
  string(REPLACE "</head>"
    "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n<link rel=\"icon\" href=\"icons/icon-192.png\">\n<script src=\"register_worker.js\" defer></script>\n</head>"
    linked "${page}")
  if(linked STREQUAL page)
    message(FATAL_ERROR "finish_site.cmake: ${SITE_DIR}/index.html has no </head>")
  endif()
  file(WRITE ${SITE_DIR}/index.html "${linked}")
endif()

# The worker's own file is not part of its version: the browser compares it
# byte for byte to find a new site.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${SITE_DIR} ${SITE_DIR}/*)
list(REMOVE_ITEM files sw.js)
list(SORT files)
set(fingerprint "")
foreach(file IN LISTS files)
  file(SHA256 ${SITE_DIR}/${file} hash)
  string(APPEND fingerprint "${file} ${hash}\n")
endforeach()
string(SHA256 version "${fingerprint}")
string(SUBSTRING ${version} 0 16 OSTREVO_SITE_VERSION)
list(JOIN files " " OSTREVO_SITE_FILES)
set(OSTREVO_SITE_FILES "./ ${OSTREVO_SITE_FILES}")
configure_file(${pwa}/service_worker.js ${SITE_DIR}/sw.js @ONLY)
