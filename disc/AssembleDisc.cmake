# Assembles the sample installation disc in DISC_DIR, from scratch. Run by the `disc` target:
#
#   cmake -DDISC_DIR=<dir> -DINSTALL_EXE=<Install.exe> -DSTANDIN_EXE=<stand-in program>
#         -DICONV=<iconv> -DWORK_DIR=<scratch dir> -P AssembleDisc.cmake
#
# The texts are kept in content/ in UTF-8 with LF line ends. On the disc each one is in the
# ANSI code page of its language (1252; GB2312, a subset of 936, for Chinese) with CRLF line
# ends, the way the menu reads them with the private-profile functions and the browser control
# shows them. The PDF documents are generated here.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/WritePdf.cmake)
set(content ${CMAKE_CURRENT_LIST_DIR}/content)

foreach(variable DISC_DIR INSTALL_EXE STANDIN_EXE ICONV WORK_DIR)
    if("${${variable}}" STREQUAL "")
        message(FATAL_ERROR "AssembleDisc.cmake needs -D${variable}=...")
    endif()
endforeach()

cmake_path(ABSOLUTE_PATH DISC_DIR NORMALIZE OUTPUT_VARIABLE disc)
string(REGEX REPLACE "(.)/+$" "\\1" disc "${disc}")

# The disc directory is wiped below. Refuse a directory that holds these sources, and a
# non-empty directory that does not look like an earlier disc (autorun.inf is written first).
cmake_path(IS_PREFIX disc "${CMAKE_CURRENT_LIST_DIR}" NORMALIZE holdsSources)
if(holdsSources)
    message(FATAL_ERROR "The disc directory ${disc} would contain the sources; choose another")
endif()
if(IS_DIRECTORY "${disc}")
    file(GLOB entries "${disc}/*")
    if(entries AND NOT EXISTS "${disc}/autorun.inf")
        message(FATAL_ERROR "${disc} is not empty and holds no sample disc; not removing it")
    endif()
endif()
file(REMOVE_RECURSE "${disc}")
file(MAKE_DIRECTORY "${disc}" "${WORK_DIR}")

# Writes content/<source> to <disc>/<dest> in <codepage>, with CRLF line ends.
function(write_text source dest codepage)
    file(READ "${content}/${source}" text)
    string(REPLACE "\r\n" "\n" text "${text}")
    if(source MATCHES "\\.inf$")
        # The menu reads every value into a 256-byte buffer. A value of at most 255 bytes in
        # UTF-8 is at most that long in the code page of the disc too.
        string(REPEAT "[^\r\n]" 256 tooLong)
        if(text MATCHES "\n([^\r\n=]*)=${tooLong}")
            message(FATAL_ERROR "${source}: the value of ${CMAKE_MATCH_1} is over 255 bytes")
        endif()
    endif()
    string(REPLACE "\n" "\r\n" text "${text}")
    set(scratch "${WORK_DIR}/text.utf8")
    file(WRITE "${scratch}" "${text}")
    cmake_path(GET dest PARENT_PATH folder)
    file(MAKE_DIRECTORY "${disc}/${folder}")
    execute_process(COMMAND "${ICONV}" -f UTF-8 -t ${codepage} "${scratch}"
                    OUTPUT_FILE "${disc}/${dest}"
                    RESULT_VARIABLE result ERROR_VARIABLE error)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${source}: cannot convert it to ${codepage}: ${error}")
    endif()
endfunction()

# Copies the program <source> to <disc>/<dest>.
function(copy_program source dest)
    cmake_path(GET dest PARENT_PATH folder)
    file(MAKE_DIRECTORY "${disc}/${folder}")
    file(COPY_FILE "${source}" "${disc}/${dest}" ONLY_IF_DIFFERENT)
endfunction()

# One language of the disc: its configuration file, its manuals page under the folder named as
# the menu names the language, and the documents that the page links to. The last four
# arguments are PDF texts (see WritePdf.cmake).
function(add_language code configurationFile folder codepage
         userManual quickStart usbCable sampleLine)
    write_text(${configurationFile} ${configurationFile} ${codepage})
    set(documents "${disc}/Documentation/${folder}")
    write_text(manulist/manulist-${code}.htm "Documentation/${folder}/HTML/manulist.htm"
               ${codepage})
    file(MAKE_DIRECTORY "${documents}/Drivers")
    set(version "Ormix-Designer 4.4.0")
    discmenu_write_pdf("${documents}/UserManual.pdf" "${userManual}" "${version}" "${sampleLine}")
    discmenu_write_pdf("${documents}/QuickStart.pdf" "${quickStart}" "${version}" "${sampleLine}")
    discmenu_write_pdf("${documents}/Drivers/UsbCable.pdf" "${usbCable}" "${version}"
                       "${sampleLine}")
endfunction()

write_text(autorun.inf autorun.inf CP1252)
copy_program("${INSTALL_EXE}" Install.exe)

add_language(ENU Inst.inf English CP1252
    "User Manual" "Quick Start Guide" "USB Cable Drivers"
    "Sample document of the Ormix-Designer installation disc.")
add_language(FRA Inst40c.inf Français CP1252
    "Manuel de l'utilisateur" "Guide de d\\351marrage rapide" "Pilotes du c\\342ble USB"
    "Document d'exemple du disque d'installation d'Ormix-Designer.")
add_language(DEU Inst407.inf Deutsch CP1252
    "Benutzerhandbuch" "Schnellstartanleitung" "USB-Kabeltreiber"
    "Beispieldokument der Ormix-Designer Installations-CD.")
add_language(ITA Inst410.inf Italiano CP1252
    "Manuale utente" "Guida rapida" "Driver del cavo USB"
    "Documento di esempio del disco di installazione di Ormix-Designer.")
add_language(ESP Inst40a.inf Español CP1252
    "Manual del usuario" "Gu\\355a de inicio r\\341pido" "Controladores del cable USB"
    "Documento de ejemplo del disco de instalaci\\363n de Ormix-Designer.")
add_language(CHN Inst804.inf Chinese GB2312
    "User Manual - Chinese edition" "Quick Start Guide - Chinese edition"
    "USB Cable Drivers - Chinese edition"
    "Sample document of the Ormix-Designer installation disc.")

write_text(Disk1/disk1.id Disk1/disk1.id CP1252)
write_text(Docs/ReadMe.txt Docs/ReadMe.txt CP1252)
write_text(Docs/License.txt Docs/License.txt CP1252)

# The setup programs and the runtime installer are all the same stand-in program.
copy_program("${STANDIN_EXE}" Disk1/setup.exe)
copy_program("${STANDIN_EXE}" Disk1/Tools/setup.exe)
copy_program("${STANDIN_EXE}" SunInstall/j2re-1_4_1_01-windows-i586-i.exe)

file(REMOVE_RECURSE "${WORK_DIR}")
message(STATUS "Sample disc assembled in ${disc}")
