# Reads the #include "…" lines of every source and header of the program and fails, naming file,
# line and include, on one that reaches up a layer. Run as
#   cmake -DSOURCE_DIR=<source tree> -P include_layers.cmake
# Bottom first: platform and quenta/numtext, settings, diagnostics, bus, hp4140, printing, app.
# The analysis sits beside hp4140 and reaches only platform and numtext; nothing below app
# includes it. The simulator and the Quenta control stand apart: the simulator includes its own files and the
# C++ standard library only, the control its own files and numtext. Inside app/ the test run
# reaches no window piece, the data file neither the chart nor the table, the chart not the table,
# and only the window and the start-up at app/'s top reach the window. The session (app/session)
# is at app/'s bottom and reaches nothing else of app/; the series (app/series) sits beside it
# and reaches only the session. The application object
# (app/application.h), which start-up makes and hands down, sits below the window. Two habits are
# held as well: no code asks a clock whether it is virtual (dynamic_cast to a clock type; the dry
# run is a setting), and the test run never shows the application's message box itself (it tells
# its view).
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED SOURCE_DIR)
    message(FATAL_ERROR "Usage: cmake -DSOURCE_DIR=<source tree> -P include_layers.cmake")
endif()

set(below_app platform numtext settings diagnostics bus hp4140 analysis printing quenta)
set(app_base ${below_app} app/runtime app/session app/series)
# What each part may include (besides the C++ standard library and the system's headers).
set(allowed_platform platform)
set(allowed_numtext numtext)
set(allowed_quenta quenta numtext)
set(allowed_sim sim)
set(allowed_settings platform numtext settings)
set(allowed_diagnostics ${allowed_settings} diagnostics)
set(allowed_bus ${allowed_diagnostics} bus)
set(allowed_hp4140 ${allowed_bus} hp4140)
set(allowed_analysis platform numtext analysis)
set(allowed_printing ${allowed_hp4140} printing)
set(allowed_app/session ${below_app} app/session)
set(allowed_app/series ${below_app} app/session app/series)
set(allowed_app/runtime ${app_base})
# The one application object that start-up makes and hands down to the window.
set(allowed_app/application ${app_base} app/datafile app/application)
set(allowed_app/datafile ${app_base} app/datafile)
set(allowed_app/testrun ${app_base} app/datafile app/testrun)
set(allowed_app/chart ${app_base} app/datafile app/chart)
set(allowed_app/table ${app_base} app/datafile app/testrun app/chart app/table)
set(allowed_app/panel ${app_base} app/datafile app/testrun app/chart app/table app/panel)
set(allowed_app/analyse ${app_base} app/datafile app/testrun app/chart app/analyse)
set(allowed_app/window ${allowed_app/panel} app/analyse app/application app/window)
set(allowed_app ${allowed_app/window} app)
set(app_folders runtime session series datafile testrun chart table panel analyse window)

# The part a file belongs to, from its path relative to the source tree ("" outside the program).
function(part_of path out)
    set(part "")
    if(path MATCHES "^quenta/numtext/")
        set(part numtext)
    elseif(path MATCHES "^app/application\\.(h|cpp)$")
        set(part app/application)
    elseif(path MATCHES "^app/([^/]+)/")
        set(part app)
        if(CMAKE_MATCH_1 IN_LIST app_folders)
            set(part app/${CMAKE_MATCH_1})
        endif()
    elseif(path MATCHES "^(platform|quenta|settings|diagnostics|bus|hp4140|analysis|printing|sim|app)/")
        set(part ${CMAKE_MATCH_1})
    endif()
    set(${out} "${part}" PARENT_SCOPE)
endfunction()

set(violations "")
set(scanned 0)
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} LIST_DIRECTORIES false
     ${SOURCE_DIR}/platform/* ${SOURCE_DIR}/quenta/* ${SOURCE_DIR}/settings/*
     ${SOURCE_DIR}/diagnostics/* ${SOURCE_DIR}/bus/* ${SOURCE_DIR}/hp4140/* ${SOURCE_DIR}/analysis/*
     ${SOURCE_DIR}/printing/* ${SOURCE_DIR}/sim/* ${SOURCE_DIR}/app/*)
list(FILTER sources INCLUDE REGEX "\\.(h|hpp|c|cc|cpp)(\\.in)?$")
list(SORT sources)
foreach(source IN LISTS sources)
    part_of(${source} part)
    get_filename_component(folder ${source} DIRECTORY)
    list(JOIN allowed_${part} ", " allowed_text)
    math(EXPR scanned "${scanned} + 1")
    file(READ ${SOURCE_DIR}/${source} text)
    # One list element per line: brackets and semicolons would split or join elements.
    string(REPLACE ";" "," text "${text}")
    string(REPLACE "[" "(" text "${text}")
    string(REPLACE "]" ")" text "${text}")
    string(REPLACE "\\" "/" text "${text}")
    # Each element starts with "-", as a list drops empty elements (blank lines).
    string(REPLACE "\n" ";-" lines "-${text}")
    set(number 0)
    foreach(line IN LISTS lines)
        math(EXPR number "${number} + 1")
        if(line MATCHES "^-[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\"")
            set(include ${CMAKE_MATCH_1})
            # The meta-object code the build generates for a class declared in a source file.
            if(include MATCHES "^[A-Za-z0-9_]+\\.moc$")
                continue()
            endif()
            # A name found beside the including file is that file; any other is relative to the
            # top of the source tree (the one include folder every target shares).
            set(target ${include})
            if(EXISTS ${SOURCE_DIR}/${folder}/${include})
                cmake_path(SET target NORMALIZE "${folder}/${include}")
            endif()
            part_of("${target}" reached)
            if(reached STREQUAL "")
                list(APPEND violations "${source}:${number}: #include \"${include}\" is no file of the program's folders")
            elseif(NOT reached IN_LIST allowed_${part})
                list(APPEND violations "${source}:${number}: #include \"${include}\" reaches up: ${part} may include only ${allowed_text}")
            endif()
        elseif(line MATCHES "dynamic_cast<[^>]*Clock")
            list(APPEND violations "${source}:${number}: asks a clock whether it is virtual (pass the dry run as a setting)")
        elseif(part STREQUAL "app/testrun" AND line MATCHES "messageBox\\(\\)")
            list(APPEND violations "${source}:${number}: the test run shows the application's message box (tell the view instead)")
        elseif(part STREQUAL "sim" AND line MATCHES "^-[ \t]*#[ \t]*include[ \t]*<([^>]+)>")
            # A driver library of its own: the C++ standard library only.
            set(header ${CMAKE_MATCH_1})
            if(NOT header MATCHES "^[a-z_]+$")
                list(APPEND violations "${source}:${number}: #include <${header}> is not of the C++ standard library, which is all sim may use")
            endif()
        endif()
    endforeach()
endforeach()

if(violations)
    foreach(violation IN LISTS violations)
        message("${violation}")
    endforeach()
    list(LENGTH violations count)
    message(FATAL_ERROR "${count} line(s) break the layers")
endif()
if(scanned EQUAL 0)
    message(FATAL_ERROR "No source found under ${SOURCE_DIR}")
endif()
message(STATUS "${scanned} files, no include reaches up a layer")
