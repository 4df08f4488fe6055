# The include-layer check on a small tree of its own: quiet on a tree that keeps the layers, and
# naming file, line and include of each planted include that reaches up. Run as
#   cmake -DCHECK=<include_layers.cmake> -DWORK_DIR=<scratch folder> -P include_layers_selftest.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK_DIR})

function(plant path)
    list(JOIN ARGN "\n" text)
    file(WRITE ${WORK_DIR}/${path} "${text}\n")
endfunction()

function(run_check result_var output_var)
    execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${WORK_DIR} -P ${CHECK}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    set(${result_var} ${result} PARENT_SCOPE)
    set(${output_var} "${output}" PARENT_SCOPE)
endfunction()

plant(platform/clock.h "#pragma once" "#include <chrono>")
plant(settings/ini.h "#include \"platform/clock.h\"" "int a[2]; // [brackets] and ; in code")
plant(settings/ini.cpp "#include \"ini.h\"")
plant(app/datafile/data.h "#include \"settings/ini.h\"")
plant(app/testrun/run.cpp "#include \"app/datafile/data.h\"" "#include \"../datafile/data.h\"")
plant(app/table/table.h "#include \"app/chart/chart.h\"")
plant(app/window/frm.cpp "#include \"app/table/table.h\"")
plant(app/app_main.cpp "#include \"app/window/frm.h\"")
plant(sim/board.cpp "#include \"sim/board.h\"" "#include <vector>")
plant(analysis/fit.h "#pragma once")
plant(analysis/fit.cpp "#include \"fit.h\"" "#include \"quenta/numtext/numtext.h\"" "#include <Eigen/Dense>")
plant(app/datafile/input.cpp "#include \"analysis/fit.h\"")
plant(app/series/plan.h "#include \"settings/ini.h\"")
plant(app/testrun/steps.cpp "#include \"app/series/plan.h\"")
run_check(result output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The check refused a tree that keeps the layers:\n${output}")
endif()

plant(bus/bad.cpp "// up" "" "#include <string>" "#include \"app/window/frm.h\"")
plant(app/testrun/bad.cpp "#include \"app/app_main.h\"")
plant(app/datafile/bad.h "" "#include \"../table/table.h\"")
plant(app/chart/bad.cpp "#include \"app/table/table.h\"")
plant(quenta/bad.cpp "#include \"quenta/numtext/numtext.h\"" "#include \"settings/ini.h\"")
plant(sim/bad.cpp "#include <QString>")
plant(hp4140/bad.cpp "#include \"analysis/fit.h\"")
plant(app/series/bad.cpp "#include \"app/testrun/run.h\"")
plant(analysis/bad.cpp "#include \"bus/gpib.h\"")
plant(app/testrun/box.cpp "void f() { platform::messageBox().show(\"\", \"\", 0); }")
plant(app/window/clock.cpp "bool f(platform::Clock& c) {"
      "    return dynamic_cast<platform::VirtualClock*>(&c) != nullptr; }")
run_check(result output)
if(result EQUAL 0)
    message(FATAL_ERROR "The check passed a tree with includes that reach up:\n${output}")
endif()
foreach(expected IN ITEMS
        "bus/bad.cpp:4: #include \"app/window/frm.h\" reaches up"
        "app/testrun/bad.cpp:1: #include \"app/app_main.h\" reaches up"
        "app/datafile/bad.h:2: #include \"../table/table.h\" reaches up"
        "app/chart/bad.cpp:1: #include \"app/table/table.h\" reaches up"
        "quenta/bad.cpp:2: #include \"settings/ini.h\" reaches up"
        "sim/bad.cpp:1: #include <QString>"
        "hp4140/bad.cpp:1: #include \"analysis/fit.h\" reaches up"
        "app/series/bad.cpp:1: #include \"app/testrun/run.h\" reaches up"
        "analysis/bad.cpp:1: #include \"bus/gpib.h\" reaches up"
        "app/testrun/box.cpp:1: the test run shows the application's message box"
        "app/window/clock.cpp:2: asks a clock whether it is virtual"
        "11 line(s) break the layers")
    string(FIND "${output}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "The check did not say \"${expected}\":\n${output}")
    endif()
endforeach()
file(REMOVE_RECURSE ${WORK_DIR})
message(STATUS "The check passes a layered tree and names each planted line that breaks it")
