# A folder of the design package as a library of its own. Its headers are reached as
# "folder/Header.h" through an include root that holds only that folder, and only targets that
# link the library get the root: an include across the folders that the dependencies below do not
# allow fails to build.
#
#   qz_design_folder(TARGET FOLDER [DEPENDS target...])
#
# Folders with sources are object libraries, so every object lands in the design package that
# links them (static libraries would drop what the package itself does not call). A folder without
# sources yet is an interface library with its root, so that later work starts in place.
function(qz_design_folder target folder)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  qz_include_root(root ${target} ${folder})
  file(GLOB sources CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  if(sources)
    add_library(${target} OBJECT ${sources})
    target_include_directories(${target} PUBLIC ${root})
    target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} PRIVATE qz_warnings)
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${root})
    target_link_libraries(${target} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# Sets OUT to a folder holding nothing but a link named FOLDER (a path such as "manager/core")
# to the source folder, for TARGET's include root.
function(qz_include_root out target folder)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT IS_SYMLINK ${root}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()
