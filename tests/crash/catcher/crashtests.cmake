# The crash tests crash a real child process, crashhelper, whose reporter
# is the recording stand-in reporterstub.
#
# The crashing child is always built without sanitizers: AddressSanitizer
# and UndefinedBehaviorSanitizer catch these faults themselves (a division
# by zero never reaches the processor) and install signal handlers of their
# own, so a sanitized child would test them instead of our handlers. In a
# sanitized build it therefore gets a plain copy of the catcher; the test
# programs themselves stay sanitized.
if(TRAVINA_SANITIZE)
    get_target_property(catcher_sources travina_crashcatcher SOURCES)
    get_target_property(catcher_directory travina_crashcatcher SOURCE_DIR)
    list(TRANSFORM catcher_sources REPLACE "^([^/])" "${catcher_directory}/\\1")
    get_directory_property(plain_options COMPILE_OPTIONS)
    list(FILTER plain_options EXCLUDE REGEX "sanitize")
    add_library(travina_crashcatcher_plain STATIC ${catcher_sources})
    target_include_directories(travina_crashcatcher_plain PUBLIC ${catcher_directory})
    target_link_libraries(travina_crashcatcher_plain PUBLIC Threads::Threads)
    set(crash_catcher travina_crashcatcher_plain)
else()
    set(crash_catcher travina_crashcatcher)
endif()

add_executable(crashhelper ${CMAKE_CURRENT_SOURCE_DIR}/crash/catcher/crashhelper.cpp)
target_link_libraries(crashhelper PRIVATE ${crash_catcher} Qt5::Core Threads::Threads)
add_executable(reporterstub ${CMAKE_CURRENT_SOURCE_DIR}/crash/catcher/reporterstub.cpp)
if(TRAVINA_SANITIZE)
    foreach(target travina_crashcatcher_plain crashhelper reporterstub)
        set_target_properties(${target} PROPERTIES COMPILE_OPTIONS "${plain_options}" LINK_OPTIONS "")
    endforeach()
endif()

# Breakpad's own reader, from the npm package "minidump" that
# scripts/install-deps.sh installs into tools/breakpad.
set(TRAVINA_BREAKPAD_TOOLS ${PROJECT_SOURCE_DIR}/tools/breakpad/node_modules/minidump/bin/linux-x64
    CACHE PATH "Folder holding Breakpad's minidump_dump, minidump_stackwalk and dump_syms")

file(GLOB TRAVINA_CRASH_CATCHER_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/crash/catcher/tst_*.cpp)
foreach(source ${TRAVINA_CRASH_CATCHER_TEST_SOURCES})
    travina_add_test(${source} travina_crashcatcher)
    get_filename_component(name ${source} NAME_WE)
    add_dependencies(${name} crashhelper reporterstub)
    target_compile_definitions(${name} PRIVATE
        TRAVINA_CRASH_HELPER_PATH="$<TARGET_FILE:crashhelper>"
        TRAVINA_REPORTER_STUB_PATH="$<TARGET_FILE:reporterstub>"
        TRAVINA_BREAKPAD_TOOLS="${TRAVINA_BREAKPAD_TOOLS}")
endforeach()
