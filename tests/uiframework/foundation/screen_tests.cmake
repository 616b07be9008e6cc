# The popup tests that read the screen back run a second time under Xvfb with Wine's X11
# driver (in the normal run they skip).
if(TARGET uiframework_foundation_tests)
    add_test(NAME uiframework_foundation_screen
        COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/screen_tests.sh
            $<TARGET_FILE:uiframework_foundation_tests> ${CMAKE_BINARY_DIR})
    set_tests_properties(uiframework_foundation_screen PROPERTIES TIMEOUT 240 SKIP_RETURN_CODE 77
        RESOURCE_LOCK x11_prefix)
endif()
