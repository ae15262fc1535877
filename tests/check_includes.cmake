# Checks the arrows of the include graph, run by CTest as
#   cmake -DSOURCE_DIR=... -P check_includes.cmake
# The window's framework (src/host) knows the controls and the data files and
# no subsystem; the panels' views (src/qt/panels) know the panels, not the
# window; nothing outside src/qt includes Qt. And every file includes only
# headers of its own target or of a target that its target links, directly or
# through the links of those: the libraries and their links are read from the
# CMakeLists.txt below src, so that the check follows the build as it is.
cmake_minimum_required(VERSION 3.25)
set(failures "")
function(check folder pattern why)
  file(GLOB_RECURSE files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} lines REGEX "^#include")
    foreach(line ${lines})
      if(line MATCHES "${pattern}")
        file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
        string(APPEND failures "${name}: ${line} (${why})\n")
      endif()
    endforeach()
  endforeach()
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

check(src/host "#include \"(analysis|app|notes|records|savings|setup|weighing|script|qt)/"
      "the framework knows no subsystem")
check(src/qt/panels "#include \"app/" "a view knows its panel, not the window")
foreach(folder core ui host analysis app notes records savings setup weighing script)
  check(src/${folder} "#include <Q" "only src/qt includes Qt")
endforeach()

# --- The targets: their sources and their links, from the CMakeLists.txt.
# Each add_library, add_executable and target_sources names a target and its
# files (a ${variable} must come from a file(GLOB ...) of the same folder);
# each target_link_libraries names what a target links, whatever the keyword.
# The variables: targets (the names), sources_NAME (files relative to
# SOURCE_DIR), links_NAME, owners_FILE (the targets a file is a source of).
set(targets "")
set(link_keywords PUBLIC PRIVATE INTERFACE LINK_PUBLIC LINK_PRIVATE LINK_INTERFACE_LIBRARIES)
set(library_keywords STATIC SHARED MODULE OBJECT INTERFACE UNKNOWN IMPORTED GLOBAL ALIAS
    EXCLUDE_FROM_ALL WIN32 MACOSX_BUNDLE ${link_keywords})

# The arguments of a command's text "name(args)" as a list, without quotes.
function(command_arguments command out)
  string(REGEX REPLACE "^[A-Za-z_]+[ \t]*\\((.*)\\)$" "\\1" text "${command}")
  string(REPLACE "\"" "" text "${text}")
  string(REGEX REPLACE "[ \t\r\n]+" ";" arguments "${text}")
  list(FILTER arguments EXCLUDE REGEX "^$")
  set(${out} "${arguments}" PARENT_SCOPE)
endfunction()

# Adds the files of the list named `arguments` to a target's sources (a macro,
# so that it sets the variables of the loop below; the list is passed by name,
# so that a "${views}" in it is not read as a variable of this script).
macro(add_sources target dir argument_list)
  foreach(argument IN LISTS ${argument_list})
    if(argument IN_LIST library_keywords)
      continue()
    endif()
    set(variable "")
    if(argument MATCHES "^\\$\\{([A-Za-z_]+)\\}$")
      set(variable ${CMAKE_MATCH_1})
    endif()
    if(variable AND DEFINED glob_${variable})
      set(files ${glob_${variable}})
    elseif(argument MATCHES "[$]")
      file(RELATIVE_PATH where ${SOURCE_DIR} ${list})
      string(APPEND failures "${where}: the sources of ${target} name ${argument}, which "
             "this check cannot read (only a file(GLOB ...) of the same folder)\n")
      continue()
    else()
      set(files ${dir}/${argument})
    endif()
    foreach(file ${files})
      file(RELATIVE_PATH file ${SOURCE_DIR} ${file})
      list(APPEND sources_${target} ${file})
      list(APPEND owners_${file} ${target})
    endforeach()
  endforeach()
endmacro()

file(GLOB_RECURSE lists ${SOURCE_DIR}/src/CMakeLists.txt)
foreach(list ${lists})
  get_filename_component(dir ${list} DIRECTORY)
  file(READ ${list} text)
  string(REGEX REPLACE "#[^\n]*" "" text "${text}")
  string(REGEX MATCHALL "[A-Za-z_]+[ \t]*\\([^()]*\\)" commands "${text}")
  foreach(glob ${globs})
    unset(glob_${glob})
  endforeach()
  set(globs "")
  foreach(command ${commands})
    string(REGEX MATCH "^[A-Za-z_]+" name "${command}")
    command_arguments("${command}" arguments)
    list(POP_FRONT arguments first)
    if(name STREQUAL "file" AND first MATCHES "^GLOB(_RECURSE)?$")
      list(POP_FRONT arguments variable)
      list(REMOVE_ITEM arguments CONFIGURE_DEPENDS)
      list(TRANSFORM arguments PREPEND ${dir}/)
      file(${first} glob_${variable} ${arguments})
      list(APPEND globs ${variable})
    elseif(name MATCHES "^add_(library|executable)$")
      list(APPEND targets ${first})
      add_sources(${first} ${dir} arguments)
    elseif(name STREQUAL "target_sources")
      add_sources(${first} ${dir} arguments)
    elseif(name STREQUAL "target_link_libraries")
      foreach(argument ${arguments})
        # "$<LINK_LIBRARY:FEATURE,name>" links name.
        string(REGEX REPLACE "^\\$<LINK_LIBRARY:[A-Za-z_]+,(.*)>$" "\\1" argument "${argument}")
        if(NOT argument IN_LIST link_keywords)
          list(APPEND links_${first} ${argument})
        endif()
      endforeach()
    endif()
  endforeach()
endforeach()

# reach_NAME: the targets NAME links, directly or through their links.
foreach(target ${targets})
  set(reach "")
  set(todo ${links_${target}})
  while(todo)
    list(POP_FRONT todo link)
    if(link IN_LIST targets AND NOT link IN_LIST reach)
      list(APPEND reach ${link})
      list(APPEND todo ${links_${link}})
    endif()
  endwhile()
  set(reach_${target} ${reach})
endforeach()

# --- Every source below src belongs to a target, or the check would not see
# what it includes.
file(GLOB_RECURSE cpps RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/src/*.cpp)
foreach(cpp ${cpps})
  if(NOT DEFINED owners_${cpp})
    string(APPEND failures "${cpp}: in no target of the CMakeLists.txt below src\n")
  endif()
endforeach()

# --- The includes of a file, seen from the target it is compiled in. A header
# belongs to the target of the .cpp beside it; a header with no .cpp of its own
# belongs to no target, and its includes count as those of the file that
# includes it. `via` is the chain of such headers, for the message.
function(check_links target file via)
  get_property(seen GLOBAL PROPERTY seen_${target})
  if(file IN_LIST seen)
    return()
  endif()
  set_property(GLOBAL APPEND PROPERTY seen_${target} ${file})
  file(STRINGS ${SOURCE_DIR}/${file} lines REGEX "^#include \"")
  foreach(line ${lines})
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "src/\\1" header "${line}")
    if(NOT EXISTS ${SOURCE_DIR}/${header})
      continue()
    endif()
    string(REGEX REPLACE "\\.h$" ".cpp" beside "${header}")
    set(owners ${owners_${header}} ${owners_${beside}})
    if(NOT owners)
      check_links(${target} ${header} "${via}${file} -> ")
      continue()
    endif()
    if(target IN_LIST owners)
      continue()
    endif()
    set(linked FALSE)
    foreach(owner ${owners})
      if(owner IN_LIST reach_${target})
        set(linked TRUE)
      endif()
    endforeach()
    if(NOT linked)
      list(JOIN owners " or " owner)
      string(CONCAT failure "${via}${file}: ${line}: ${header} is in ${owner}, which ${target} "
             "does not link, neither directly nor through its links (target_link_libraries)\n")
      set_property(GLOBAL APPEND_STRING PROPERTY link_failures "${failure}")
    endif()
  endforeach()
endfunction()

foreach(target ${targets})
  foreach(source ${sources_${target}})
    check_links(${target} ${source} "")
    string(REGEX REPLACE "\\.cpp$" ".h" header "${source}")
    if(NOT header STREQUAL source AND EXISTS ${SOURCE_DIR}/${header})
      check_links(${target} ${header} "")
    endif()
  endforeach()
endforeach()
get_property(link_failures GLOBAL PROPERTY link_failures)
string(APPEND failures "${link_failures}")

if(failures)
  # One line each, as they are, before the error that ends the check.
  message(NOTICE "${failures}")
  message(FATAL_ERROR "Includes that point the wrong way: each line above names the file, "
          "its include and why")
endif()
