# Draws the menu icons from the game's gear picture into a hicolor icon tree:
#   cmake -DGEAR_PICTURE=img/gear.png -DICON_DIR=<build>/icons -DCONVERT=convert -DIDENTIFY=identify
#         -P make-icons.cmake
# Runs on every build and redraws only what is older than the picture, so a picture that is
# redrawn or added after configuring is picked up. Without the picture there are no icons (the
# menu entry then shows the desktop's generic one); that is a warning, not a failed build.

cmake_minimum_required(VERSION 3.22)

# Sizes from the icon theme conventions; 48x48 is the one every theme lookup falls back to.
set(standard_sizes 16 24 32 48 64 128 256 512)
set(fallback_size 48)
set(icon_name brindlecog.png)

file(MAKE_DIRECTORY "${ICON_DIR}/hicolor")

function(remove_icons_except keep_sizes)
    file(GLOB drawn RELATIVE "${ICON_DIR}/hicolor" "${ICON_DIR}/hicolor/*/apps/${icon_name}")
    foreach(icon IN LISTS drawn)
        string(REGEX MATCH "^[0-9]+" size "${icon}")
        if(NOT size IN_LIST keep_sizes)
            file(REMOVE "${ICON_DIR}/hicolor/${icon}")
        endif()
    endforeach()
endfunction()

if(NOT EXISTS "${GEAR_PICTURE}" OR NOT CONVERT OR NOT IDENTIFY)
    message(WARNING "No menu icons: need ${GEAR_PICTURE} and ImageMagick's convert and identify")
    remove_icons_except("")
    return()
endif()

# [0]: the first image only, should the file ever hold more than one.
execute_process(COMMAND "${IDENTIFY}" -format "%w %h" "${GEAR_PICTURE}[0]"
    OUTPUT_VARIABLE picture_size RESULT_VARIABLE failed)
if(failed OR NOT picture_size MATCHES "^([0-9]+) ([0-9]+)$")
    message(FATAL_ERROR "Cannot read the size of ${GEAR_PICTURE}")
endif()
set(side ${CMAKE_MATCH_1})
if(CMAKE_MATCH_2 GREATER side)
    set(side ${CMAKE_MATCH_2})
endif()

# No sizes above the picture's own (they would only be blurred), but always the fallback size.
set(sizes "")
foreach(size IN LISTS standard_sizes)
    if(size LESS_EQUAL side OR size EQUAL fallback_size)
        list(APPEND sizes ${size})
    endif()
endforeach()
remove_icons_except("${sizes}")

foreach(size IN LISTS sizes)
    set(icon "${ICON_DIR}/hicolor/${size}x${size}/apps/${icon_name}")
    if(NOT EXISTS "${icon}" OR "${GEAR_PICTURE}" IS_NEWER_THAN "${icon}")
        get_filename_component(icon_folder "${icon}" DIRECTORY)
        file(MAKE_DIRECTORY "${icon_folder}")
        # Centred on a transparent square first: icons must be square, the picture need not be.
        # No date chunks, so that an unchanged picture gives byte-identical icons.
        execute_process(COMMAND "${CONVERT}" "${GEAR_PICTURE}[0]" -background none -gravity center
            -extent ${side}x${side} -resize ${size}x${size} -strip
            -define png:exclude-chunks=date,time "PNG32:${icon}"
            RESULT_VARIABLE failed)
        if(failed)
            file(REMOVE "${icon}")
            message(FATAL_ERROR "convert could not draw ${icon}")
        endif()
    endif()
endforeach()
