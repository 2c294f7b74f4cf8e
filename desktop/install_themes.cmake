# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Brushbox and Twinturn developers
# Run at install time: the sample themes' configuration files are written into the installed
# data folder with the folder itself in place of %apppath%, since an installed program does not
# keep its themes beside it. Each folder value ends in a separator: without a macro, the memory
# game takes a folder as it is written.
set(BB_INSTALLED_DATA "${CMAKE_INSTALL_PREFIX}/${BB_DATADIR}")
file(GLOB_RECURSE inis RELATIVE "${BB_BIN}" "${BB_BIN}/zypaint.ini" "${BB_BIN}/memory.ini" "${BB_BIN}/games/*.ini")
foreach(ini ${inis})
  file(READ "${BB_BIN}/${ini}" text)
  string(REGEX REPLACE "%apppath%([^\r\n]*)" "${BB_INSTALLED_DATA}/\\1/" text "${text}")
  file(WRITE "$ENV{DESTDIR}${BB_INSTALLED_DATA}/${ini}" "${text}")
  message(STATUS "Installing: $ENV{DESTDIR}${BB_INSTALLED_DATA}/${ini}")
endforeach()
