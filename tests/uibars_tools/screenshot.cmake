# The frame with the framework's bars, once more under Xvfb, leaves a picture in the build
# directory (bars_screenshot.png).
if(TARGET uibars_tools_tests)
    add_test(NAME uibars_tools_screenshot
        COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/screenshot.sh
            $<TARGET_FILE:uibars_tools_tests> ${CMAKE_BINARY_DIR})
    set_tests_properties(uibars_tools_screenshot PROPERTIES TIMEOUT 240 SKIP_RETURN_CODE 77)
endif()
