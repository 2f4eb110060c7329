# The crash tests crash a real child process, crashhelper, whose reporter
# is the recording stand-in reporterstub.
#
# The crashing child is always built without sanitizers: AddressSanitizer
# and UndefinedBehaviorSanitizer catch these faults themselves (a division
# by zero never reaches the processor) and install signal handlers of their
# own, so a sanitized child would test them instead of our handlers. In a
# sanitized build it therefore gets a plain copy of the crash layer; the
# test programs themselves stay sanitized.
if(TRAVINA_SANITIZE)
    get_target_property(crash_sources travina_crash SOURCES)
    get_target_property(crash_directory travina_crash SOURCE_DIR)
    list(TRANSFORM crash_sources PREPEND ${crash_directory}/)
    get_directory_property(plain_options COMPILE_OPTIONS)
    list(FILTER plain_options EXCLUDE REGEX "sanitize")
    add_library(travina_crash_plain STATIC ${crash_sources})
    target_include_directories(travina_crash_plain PUBLIC ${crash_directory})
    target_link_libraries(travina_crash_plain PUBLIC Qt5::Core Qt5::Gui)
    set(crash_layer travina_crash_plain)
else()
    set(crash_layer travina_crash)
endif()

find_package(Threads REQUIRED)
add_executable(crashhelper ${CMAKE_CURRENT_SOURCE_DIR}/crash/crashhelper.cpp)
target_link_libraries(crashhelper PRIVATE ${crash_layer} Qt5::Core Threads::Threads)
add_executable(reporterstub ${CMAKE_CURRENT_SOURCE_DIR}/crash/reporterstub.cpp)
if(TRAVINA_SANITIZE)
    foreach(target travina_crash_plain crashhelper reporterstub)
        set_target_properties(${target} PROPERTIES COMPILE_OPTIONS "${plain_options}" LINK_OPTIONS "")
    endforeach()
endif()

# Breakpad's own reader, from the npm package "minidump" that
# scripts/install-deps.sh installs into tools/breakpad.
set(TRAVINA_BREAKPAD_TOOLS ${PROJECT_SOURCE_DIR}/tools/breakpad/node_modules/minidump/bin/linux-x64
    CACHE PATH "Folder holding Breakpad's minidump_dump, minidump_stackwalk and dump_syms")

file(GLOB TRAVINA_CRASH_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/crash/tst_*.cpp)
foreach(source ${TRAVINA_CRASH_TEST_SOURCES})
    # The log's tests go through the application's message handler.
    travina_add_test(${source} travina_gui)
    get_filename_component(name ${source} NAME_WE)
    add_dependencies(${name} crashhelper reporterstub)
    target_compile_definitions(${name} PRIVATE
        TRAVINA_CRASH_HELPER_PATH="$<TARGET_FILE:crashhelper>"
        TRAVINA_REPORTER_STUB_PATH="$<TARGET_FILE:reporterstub>"
        TRAVINA_BREAKPAD_TOOLS="${TRAVINA_BREAKPAD_TOOLS}")
endforeach()
