# Checks that the folders under src/ keep their order: a file includes
# headers of its own room or of rooms below it, never of a room above or
# beside it; the core includes no widget header; what runs while the
# process crashes includes no Qt header at all.
#   cmake -DSOURCE_DIR=<src> -DWIDGETS_INCLUDE_DIR=<QtWidgets headers> -P layering.cmake
cmake_minimum_required(VERSION 3.16)

# Rooms, lowest first, as "<path below src> <level>". A file belongs to the
# longest path that starts it; it may include a room of a lower level or
# its own room.
set(rooms
    "platform 0"
    "drawing 1"
    "formats/common 2"
    "formats/formatoptions 2"
    "formats/dxf 3" "formats/hpgl 3" "formats/svg 3" "formats/gcode 3"
    "formats 4"
    "conversion 5"
    "settings 6" "maker 6" "preview 6" "crash/signalsafe 6"
    "crash/minidump 7"
    "crash/catcher 8"
    "crash 9" "crash/reporter 9" "update 9" "style 9"
    "app 10" "cli 10")
set(core_rooms drawing formats conversion preview)
set(qt_free_rooms crash/signalsafe crash/minidump crash/catcher)

function(room_of path out_room out_level)
    string(REGEX REPLACE "\\.[^/]*$" "" stem "${path}")
    set(best "")
    set(best_level -1)
    foreach(entry ${rooms})
        separate_arguments(entry)
        list(GET entry 0 room)
        list(GET entry 1 level)
        string(LENGTH "${room}" room_length)
        string(LENGTH "${best}" best_length)
        if((stem STREQUAL room OR path MATCHES "^${room}/") AND room_length GREATER best_length)
            set(best "${room}")
            set(best_level ${level})
        endif()
    endforeach()
    set(${out_room} "${best}" PARENT_SCOPE)
    set(${out_level} ${best_level} PARENT_SCOPE)
endfunction()

function(in_rooms path room_list out)
    set(found FALSE)
    foreach(room ${room_list})
        if(path MATCHES "^${room}/")
            set(found TRUE)
        endif()
    endforeach()
    set(${out} ${found} PARENT_SCOPE)
endfunction()

file(GLOB widget_headers RELATIVE "${WIDGETS_INCLUDE_DIR}" "${WIDGETS_INCLUDE_DIR}/*")
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp" "${SOURCE_DIR}/*.h.in")
set(faults "")
foreach(source ${sources})
    room_of("${source}" room level)
    if(level LESS 0)
        string(APPEND faults "${source}: in no room; add its folder to tests/layering.cmake\n")
        continue()
    endif()
    in_rooms("${source}" "${core_rooms}" is_core)
    in_rooms("${source}" "${qt_free_rooms}" is_qt_free)
    get_filename_component(directory "${source}" DIRECTORY)
    file(STRINGS "${SOURCE_DIR}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${includes})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*" "\\1" header "${line}")
        if(line MATCHES "include[ \t]*<")
            get_filename_component(header_name "${header}" NAME)
            if(is_core AND (header MATCHES "^QtWidgets/" OR header_name IN_LIST widget_headers))
                string(APPEND faults "${source}: the core includes the widget header <${header}>\n")
            endif()
            if(is_qt_free AND header MATCHES "^Q")
                string(APPEND faults "${source}: crash-time code includes the Qt header <${header}>\n")
            endif()
            continue()
        endif()
        if(EXISTS "${SOURCE_DIR}/${directory}/${header}" AND NOT directory STREQUAL "")
            get_filename_component(target "${SOURCE_DIR}/${directory}/${header}" ABSOLUTE)
        elseif(EXISTS "${SOURCE_DIR}/${header}")
            get_filename_component(target "${SOURCE_DIR}/${header}" ABSOLUTE)
        else()
            continue() # generated: forms, moc output, build settings
        endif()
        file(RELATIVE_PATH target "${SOURCE_DIR}" "${target}")
        room_of("${target}" target_room target_level)
        if(NOT target_room STREQUAL room AND NOT target_level LESS level)
            string(APPEND faults "${source}: ${room} (${level}) includes ${target} of ${target_room} (${target_level})\n")
        endif()
    endforeach()
endforeach()

if(faults)
    message(FATAL_ERROR "Includes against the order of the rooms:\n${faults}")
endif()
list(LENGTH sources count)
message(STATUS "${count} files keep the order of the rooms")
