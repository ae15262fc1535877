# Checks the arrows of the include graph, run by CTest as
#   cmake -DSOURCE_DIR=... -P check_includes.cmake
# The window's framework (src/host) knows the controls and the data files and
# no subsystem; the panels' views (src/qt/panels) know the panels, not the
# window; nothing outside src/qt includes Qt.
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
if(failures)
  message(FATAL_ERROR "Includes that point the wrong way:\n${failures}")
endif()
