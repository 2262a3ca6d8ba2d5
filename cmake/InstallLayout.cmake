# Where an installed copy keeps its parts. The programs go to bin/; the tools, the check-value
# module and the names the compiler includes go to a private folder of architecture-dependent
# files (lib/marquis5300/, as Debian keeps a package's private executables); the help, the demo
# and ESCAPES.H itself go to share/marquis5300/. The programs find the tools folder relative to
# their own, so a copy installed under any prefix, or unpacked anywhere, works.
include(GNUInstallDirs)

set(MARQUIS_INSTALL_TOOLSDIR lib/marquis5300 CACHE STRING
    "Folder of the installed tools, relative to the installation prefix")
set(MARQUIS_INSTALL_SHAREDIR ${CMAKE_INSTALL_DATADIR}/marquis5300)

# Qt's designer looks for widget plugins in <Qt plugin folder>/designer/.
if(DEFINED QT6_INSTALL_PLUGINS AND NOT IS_ABSOLUTE "${QT6_INSTALL_PLUGINS}")
    set(_marquis_qt_plugins ${QT6_INSTALL_PLUGINS})
else()
    set(_marquis_qt_plugins ${CMAKE_INSTALL_LIBDIR}/qt6/plugins)
endif()
set(MARQUIS_INSTALL_DESIGNERDIR ${_marquis_qt_plugins}/designer CACHE STRING
    "Folder of the installed designer plugin, relative to the installation prefix")

# $ORIGIN-relative search paths from one installed folder to another, so nothing needs
# LD_LIBRARY_PATH wherever the tree is unpacked.
function(marquis_relative_rpath out fromDir toDir)
    file(RELATIVE_PATH relative /prefix/${fromDir} /prefix/${toDir})
    if(relative STREQUAL "")
        set(${out} "$ORIGIN" PARENT_SCOPE)
    else()
        set(${out} "$ORIGIN/${relative}" PARENT_SCOPE)
    endif()
endfunction()

# Told to the programs: the tools folder seen from bin/.
file(RELATIVE_PATH MARQUIS_TOOLS_FROM_BIN
    /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${MARQUIS_INSTALL_TOOLSDIR})
