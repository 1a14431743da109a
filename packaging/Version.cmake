# SPDX-License-Identifier: GPL-3.0-or-later
# PROJECT_VERSION ("1.04") is the only place the version is written. Every file that names it is
# made here, into ZENSULINO_GENERATED. The About box shows the minor number as a number ("1.4");
# Windows wants four numbers ("1.4.0.0").
math(EXPR zensulinoMinor "${PROJECT_VERSION_MINOR}")
set(ZENSULINO_ABOUT_VERSION ${PROJECT_VERSION_MAJOR}.${zensulinoMinor})
set(ZENSULINO_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${zensulinoMinor}.0.0)
string(REPLACE "." ", " ZENSULINO_VERSION_COMMAS ${ZENSULINO_VERSION_QUAD})

set(ZENSULINO_GENERATED ${PROJECT_BINARY_DIR}/generated)
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(ZENSULINO_WINDOWS_PACKAGING ${packaging}/windows)
set(ZENSULINO_MANIFEST ${ZENSULINO_GENERATED}/Zensulino.manifest)

foreach(template
        packaging/Version.h.in
        packaging/windows/Zensulino.rc.in
        packaging/windows/Zensulino.manifest.in
        packaging/windows/LIESMICH.txt.in
        packaging/org.zensulino.Zensulino.metainfo.xml.in
        packaging/man/Zensulino.1.in
        packaging/debian/changelog.in)
    get_filename_component(name ${template} NAME_WLE)
    if(name STREQUAL "Version.h")
        set(name zensulino/Version.h) # included as "zensulino/Version.h", by every folder
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/${template} ${ZENSULINO_GENERATED}/${name} @ONLY)
endforeach()
