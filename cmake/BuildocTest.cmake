# buildoc_add_test(<name> SOURCES <files...> LIBS <targets...>)
# One QTest executable, run by CTest on the offscreen platform.
function(buildoc_add_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS;DEFINITIONS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
    if(T_DEFINITIONS)
        target_compile_definitions(${name} PRIVATE ${T_DEFINITIONS})
    endif()
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;QT_LOGGING_RULES=qt.qpa.*=false"
        TIMEOUT 300)
endfunction()
