# Adds pictures of resources/ to a target's Qt resources under ":/pictures",
# each with its sharper variants for screens of a higher pixel ratio
# ("Home@1.5x.gif", "Home@2x.gif"), which toolkit::loadPicture picks from.
function(telvane_add_pictures target resource_name)
  set(files)
  foreach(picture IN LISTS ARGN)
    cmake_path(GET picture STEM LAST_ONLY stem)
    cmake_path(GET picture EXTENSION LAST_ONLY extension)
    file(GLOB variants CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/${stem}@*x${extension})
    list(APPEND files ${PROJECT_SOURCE_DIR}/resources/${picture} ${variants})
  endforeach()
  qt_add_resources(${target} ${resource_name} PREFIX "/pictures"
                   BASE ${PROJECT_SOURCE_DIR}/resources FILES ${files})
endfunction()
