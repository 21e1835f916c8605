# tralvex compare on fixtures in code pages 1250, 932 and UTF-8 and on small
# files written here: each finding at the translation's line with the
# base's line in a note, the summary, and the exit statuses.
include(${CMAKE_CURRENT_LIST_DIR}/ToolTestHelpers.cmake)
set(FIXTURES ${CMAKE_CURRENT_LIST_DIR}/fixtures)

# Code page 1250: a missing message and one the base lacks.
run_tool(1 out err compare --codepage 1250 ${FIXTURES}/cp1250/Base.msg ${FIXTURES}/cp1250/Czech.msg)
expect_match("${out}" "Czech.msg:9:1: error: message 0x205 of section DIALOG is missing: the application gets its default text or MSG\\(00205\\) \\[missing-message\\]\n[^\n]*Base.msg:16:6: note: the base text: \"Preview\"\n"
             "missing message")
expect_match("${out}" "Czech.msg:17:1: warning: message 0x300 of section DIALOG is not in the base \\[extra-message\\]" "extra message")
expect_match("${out}" ": 9 of 10 messages, 90%\n  COMMON  4/4  \\[#+\\] 100%\n  DIALOG  5/6  \\[#+\\.+\\]  83%\n" "summary")
expect_match("${err}" "1 error\\(s\\), 1 warning\\(s\\), 0 note\\(s\\)" "counts leave out the base's notes")
run_tool(0 out err compare --werror ${FIXTURES}/cp1250/Base.msg ${FIXTURES}/cp1250/Base.msg)
expect_no_match("${out}" "(error|warning):" "a file against itself")
expect_match("${out}" ": 10 of 10 messages, 100% \\(10 the same as the base\\)" "a file against itself")
file(WRITE ${WORK}/one.msg "[Main]\r\n1: a\r\n")
file(WRITE ${WORK}/two.msg "[Main]\r\n1: b\r\n2: c\r\n")
run_tool(0 out err compare ${WORK}/one.msg ${WORK}/two.msg)
run_tool(1 out err compare --werror ${WORK}/one.msg ${WORK}/two.msg)
expect_match("${err}" "0 error\\(s\\), 1 warning\\(s\\)" "--werror")

# Code page 932: trail bytes "\" and "]" are neither escapes nor the end of a
# section name; the translation is complete.
run_tool(0 out err compare --codepage 932 ${FIXTURES}/cp932/Base.msg ${FIXTURES}/cp932/Japanese.msg)
expect_no_match("${out}" "(error|warning|note):" "code page 932")
expect_match("${out}" ": 7 of 7 messages, 100%" "code page 932 summary")

# UTF-8: the example translation, complete, with one text the same as the base.
run_tool(0 out err compare --codepage 65001 ${EXAMPLES}/Notes-en.msg ${EXAMPLES}/Notes-cs.msg)
expect_match("${out}" "Notes-cs.msg:7:8: note: the text is the same as the base's: perhaps untranslated \\[identical-text\\]\n[^\n]*Notes-en.msg:7:8: note: the base text: \"OK\"\n" "identical text")
expect_match("${out}" ": 23 of 23 messages, 100% \\(1 the same as the base\\)" "UTF-8 summary")
# Read in the wrong code page, the Czech bytes are no characters.
run_tool(1 out err compare --codepage 932 ${EXAMPLES}/Notes-en.msg ${EXAMPLES}/Notes-cs.msg)
expect_match("${out}" "Notes-cs.msg:[0-9]+:[0-9]+: error: byte 0x[0-9A-F]+ starts no character of code page 932 \\[encoding\\]" "encoding")

# Each check of one text, against a base written here.
string(REPEAT "x" 1030 long)
string(REPEAT "y" 130 medium)
file(WRITE ${WORK}/base.msg
  "[Main]\r\n1: Open %s\r\n2: {10|Help} and {11}\r\n3: Line\\nbreak\r\n4: Same\r\n5: short\r\n6: short\r\n"
  "10: Help\r\n11: Index\r\n\r\n[Sub]\r\nAlias: Main\r\n20: Sub text\r\n\r\n[Only]\r\n30: x\r\n")
file(WRITE ${WORK}/translation.msg
  "[Main]\r\n1: Otevrit\r\n2: {10|Pomoc} a {12}\r\n3: Radek zlom\r\n4: Same\r\n5: ${long}\r\n6: ${medium}\r\n"
  "10: Pomoc\r\n\r\n[Sub]\r\nAlias: Main\r\n20: Podtext\r\n21: navic\r\n\r\n[Extra]\r\n40: y\r\n")
run_tool(1 out err compare ${WORK}/base.msg ${WORK}/translation.msg)
foreach(finding
    "translation.msg: error: section ONLY is missing: its 1 message gives the default text or the placeholder \\[missing-section\\]\n[^\n]*base.msg:15:1: note: the base's section ONLY\n"
    "translation.msg:1:1: error: message 0x11 of section MAIN is missing.*\\[missing-message\\]\n[^\n]*base.msg:9:5: note: the base text: \"Index\"\n"
    "translation.msg:2:4: error: the text takes 0 arguments \\(%s conversions\\) where the base takes 1.*\\[argument-count\\]\n[^\n]*base.msg:2:4: note: the base text: \"Open %s\"\n"
    "translation.msg:3:4: warning: the text refers to messages \\{0x10, 0x12\\} where the base refers to \\{0x10, 0x11\\} \\[reference-mismatch\\]"
    "translation.msg:4:4: note: the text has 0 line breaks \\(\\\\n\\) and 0 tabs \\(\\\\t\\) where the base has 1 and 0 \\[escape-mismatch\\]"
    "translation.msg:5:4: note: the text is the same as the base's: perhaps untranslated \\[identical-text\\]"
    "translation.msg:6:1027: warning: the text has 1030 bytes where the base has 5; a message box shows only the first 1023 \\[text-length\\]"
    "translation.msg:7:123: note: the text has 130 bytes where the base has 5; an error box cuts an error's text to 119 \\[text-length\\]"
    "translation.msg:13:1: warning: message 0x21 of section SUB is not in the base \\[extra-message\\]"
    "translation.msg:15:1: warning: section EXTRA is not in the base \\[extra-section\\]")
  expect_match("${out}" "${finding}" "compare checks")
endforeach()
# Message 11 is inherited by SUB in both files: it is reported once, in MAIN.
string(REGEX MATCHALL "message 0x11 of section" missing11 "${out}")
list(LENGTH missing11 missing11_count)
if(NOT missing11_count EQUAL 1)
  message(SEND_ERROR "the missing inherited message is reported ${missing11_count} times")
endif()
expect_match("${out}" "  MAIN  7/8  \\[#+\\.+\\]  87%\n  SUB   1/1  \\[#+\\] 100%\n  ONLY  0/1  \\[\\.+\\]   0%\n" "sections summary")

# Directories: the files their Tralvex.ini lists, paired by range.
file(MAKE_DIRECTORY ${WORK}/cs)
file(COPY ${EXAMPLES}/Notes-cs.msg ${EXAMPLES}/QelError.msg DESTINATION ${WORK}/cs)
file(WRITE ${WORK}/cs/Tralvex.ini
  "[MessageFiles]\r\nLibrary-0FFF=QelError.msg\r\nNotes-1FFF=Notes-cs.msg\r\nExtra-3FFF=Notes-cs.msg\r\n")
run_tool(1 out err compare --codepage 65001 ${EXAMPLES} ${WORK}/cs)
expect_match("${out}" "Tralvex.ini: error: no file serves the numbers 0x2000..0x2FFF, which Print-en.msg serves in the base \\[missing-range\\]" "missing range")
expect_match("${out}" "Tralvex.ini:4:1: warning: the base has no file for the numbers 0x2000..0x3FFF that Notes-cs.msg serves \\[extra-range\\]" "extra range")
expect_match("${out}" "Notes-cs.msg against [^\n]*Notes-en.msg: 23 of 23 messages, 100%" "paired file")
expect_match("${out}" "QelError.msg against [^\n]*QelError.msg: " "paired error catalogue")

# Failures.
run_tool(2 out err compare ${EXAMPLES}/Notes-en.msg)
run_tool(2 out err compare ${EXAMPLES} ${EXAMPLES}/Notes-cs.msg)
expect_match("${err}" "two message files or two directories" "file and directory")
run_tool(2 out err compare ${EXAMPLES}/Notes-en.msg ${WORK}/missing.msg)
expect_match("${err}" "missing.msg: no such file" "missing translation")
file(WRITE ${WORK}/refused.msg "[Main]\r\nAlias: Gone\r\n1: x\r\n")
run_tool(1 out err compare ${EXAMPLES}/Notes-en.msg ${WORK}/refused.msg)
expect_match("${err}" "refused.msg: the library would not open it" "refused translation")
expect_match("${out}" "refused.msg against [^\n]*: not compared" "refused translation summary")
