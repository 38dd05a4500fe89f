# Writes a layout with a skin package stored in its SkinStream: the 4-byte
# little-endian count, then the package, as hex lines the layout reader takes.
#   cmake -DLAYOUT=in.qlt -DPACKAGE=skin.skn -DOUTPUT=out.qlt -P StoreSkin.cmake
foreach(var LAYOUT PACKAGE OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "StoreSkin.cmake needs -D${var}=...")
  endif()
endforeach()

set(placeholder "SkinStream = {00000000}")
file(READ "${LAYOUT}" layout)
string(FIND "${layout}" "${placeholder}" at)
string(FIND "${layout}" "${placeholder}" last REVERSE)
if(at EQUAL -1 OR NOT at EQUAL last)
  message(FATAL_ERROR "${LAYOUT} must hold \"${placeholder}\" exactly once")
endif()

file(SIZE "${PACKAGE}" size)
if(size EQUAL 0)
  message(FATAL_ERROR "${PACKAGE} is empty")
endif()
set(count "")
foreach(shift 0 8 16 24)
  math(EXPR byte "256 + ((${size} >> ${shift}) & 255)" OUTPUT_FORMAT HEXADECIMAL)
  string(SUBSTRING "${byte}" 3 2 byte)  # 0x1HH: the two digits after the marker 1
  string(APPEND count "${byte}")
endforeach()
file(READ "${PACKAGE}" package HEX)

# The line start is the property's own indentation, plus two.
string(SUBSTRING "${layout}" 0 ${at} before)
string(FIND "${before}" "\n" lineStart REVERSE)
math(EXPR indentStart "${lineStart} + 1")
math(EXPR indentLength "${at} - ${indentStart}")
string(SUBSTRING "${layout}" ${indentStart} ${indentLength} indent)

string(TOUPPER "${count}${package}" hex)
set(digits "[0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F]")
string(REGEX REPLACE "(${digits}${digits}${digits}${digits}${digits}${digits}${digits}${digits})"
       "\\1\n${indent}  " hex "${hex}")
string(REGEX REPLACE "\n${indent}  $" "" hex "\n${indent}  ${hex}")
string(LENGTH "${placeholder}" placeholderLength)
math(EXPR afterStart "${at} + ${placeholderLength}")
string(SUBSTRING "${layout}" ${afterStart} -1 after)
file(WRITE "${OUTPUT}.new" "${before}SkinStream = {${hex}\n${indent}}${after}")
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
