# Compiles into `source` where a program installed in `install_dir` finds the game's pictures and
# sounds from its own folder: the game folder of the build, or share/quandel of its install, both
# relative (so no build path is compiled in and a moved install still works). For
# AssetDirBesideProgram in program_folder.h.
include(GNUInstallDirs)
function(quandel_assets_beside_program source install_dir)
  file(RELATIVE_PATH from_build ${CMAKE_RUNTIME_OUTPUT_DIRECTORY} ${QUANDEL_GAME_DIR})
  set(assets ${CMAKE_INSTALL_DATADIR}/quandel)
  if(IS_ABSOLUTE "${assets}")
    set(from_install "${assets}")
  else()
    file(RELATIVE_PATH from_install "/prefix/${install_dir}" "/prefix/${assets}")
  endif()
  set_property(SOURCE ${source} APPEND PROPERTY COMPILE_DEFINITIONS
    QUANDEL_ASSETS_FROM_BUILD="${from_build}" QUANDEL_ASSETS_FROM_INSTALL="${from_install}")
endfunction()
