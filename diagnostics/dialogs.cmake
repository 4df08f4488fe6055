# Opening documents through the desktop and the message box with caller-defined buttons.

# Shell result codes, the request rules and the xdg-open launcher. Standard library and POSIX only.
add_library(tarvix_shell STATIC
    ${CMAKE_CURRENT_LIST_DIR}/gshell.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell_errors.cpp
    ${CMAKE_CURRENT_LIST_DIR}/xdg_open_launcher.cpp
)
target_include_directories(tarvix_shell PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(tarvix_shell PUBLIC tarvix_platform)
tarvix_warnings(tarvix_shell)

# The button row arithmetic of the message box, in twips. Standard library only.
add_library(tarvix_msgbox_layout STATIC ${CMAKE_CURRENT_LIST_DIR}/msg_box_layout.cpp)
target_include_directories(tarvix_msgbox_layout PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(tarvix_msgbox_layout PRIVATE numtext)
tarvix_warnings(tarvix_msgbox_layout)

if(Qt6_FOUND)
    add_library(tarvix_msgbox STATIC ${CMAKE_CURRENT_LIST_DIR}/oof_msg_box.cpp)
    target_link_libraries(tarvix_msgbox PUBLIC tarvix_msgbox_layout tarvix_platform Qt6::Widgets
                                        PRIVATE tarvix_settings_core)
    set_target_properties(tarvix_msgbox PROPERTIES AUTOMOC ON)
    tarvix_warnings(tarvix_msgbox)
endif()
