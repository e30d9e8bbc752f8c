# SPDX-License-Identifier: GPL-3.0-or-later
# Converts the UTF-8 text IN to Shift_JIS (code page 932) with CR LF line breaks in OUT.
file(READ ${IN} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
get_filename_component(out_dir ${OUT} DIRECTORY)
file(MAKE_DIRECTORY ${out_dir})
file(WRITE ${OUT}.utf8 "${text}")
execute_process(COMMAND iconv -f UTF-8 -t CP932 ${OUT}.utf8
                OUTPUT_FILE ${OUT}.tmp RESULT_VARIABLE rc)
file(REMOVE ${OUT}.utf8)
if(NOT rc EQUAL 0)
  file(REMOVE ${OUT}.tmp)
  message(FATAL_ERROR "iconv could not convert ${IN} to Shift_JIS")
endif()
file(RENAME ${OUT}.tmp ${OUT})
