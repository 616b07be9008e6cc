# The popup tests that read the screen back run a second time under Xvfb with Wine's X11
# driver (in the normal run they skip).
if(TARGET uifoundation_tests)
    add_test(NAME uifoundation_screen
        COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/screen_tests.sh
            $<TARGET_FILE:uifoundation_tests> ${CMAKE_BINARY_DIR})
    set_tests_properties(uifoundation_screen PROPERTIES TIMEOUT 240 SKIP_RETURN_CODE 77)
endif()
