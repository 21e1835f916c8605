# tralvex check on the examples and on small files written here: the
# findings, where they stand, and the exit statuses.
include(${CMAKE_CURRENT_LIST_DIR}/ToolTestHelpers.cmake)

# The broken example: each mistake found at its line and column.
run_tool(1 out err check ${EXAMPLES}/broken/Broken.msg)
set(broken "Broken.msg")
foreach(finding
    "5:10: warning: .*\\[semicolon-cut\\]"
    "6:1: warning: message 0x10 is already defined in section MAIN at line 5.*\\[shadowed-message\\]"
    "7:1: warning: line is ignored: \"Hello\".*\\[ignored-line\\]"
    "8:1: warning: line is ignored: a tab.*\\[ignored-line\\]"
    "9:1: warning: line is ignored: a section name needs at least two.*\\[ignored-line\\]"
    "10:5: warning: .*opening quote is dropped \\[unbalanced-quotes\\]"
    "11:12: warning: .*closing quote is dropped \\[unbalanced-quotes\\]"
    "12:11: warning: \"%d\" is not a text conversion.*\\[printf-conversion\\]"
    "12:23: warning: the reference names message 0x99.*MSG\\(00099\\).*\\[undefined-reference\\]"
    "13:37: warning: only the first 8 references.*\\[too-many-references\\]"
    "15:1: note: \"Bad\" is read as the hexadecimal number 0xBAD \\[message-number\\]"
    "16:40: error: this line ends with a line feed alone.*lost.*\\[line-endings\\]"
    "20:1: warning: alias cycle LOOP1 -> LOOP2 -> LOOP1.*\\[alias-cycle\\]"
    "25:1: error: alias target \"Main ; a comment.*refuses to open.*\\[missing-alias-target\\]")
  expect_match("${out}" "${broken}:${finding}" "broken example")
endforeach()
expect_match("${err}" "2 error\\(s\\), 11 warning\\(s\\), 1 note\\(s\\)" "summary")
# The cycle is reported once, not from each of its sections.
string(REGEX MATCHALL "alias-cycle" cycles "${out}")
list(LENGTH cycles cycle_count)
if(NOT cycle_count EQUAL 1)
  message(SEND_ERROR "the alias cycle is reported ${cycle_count} times")
endif()

# The good examples hold no warning and no error.
run_tool(0 out err check ${EXAMPLES}/Notes-en.msg ${EXAMPLES}/Notes-cs.msg
         ${EXAMPLES}/Print-en.msg ${EXAMPLES}/QelError.msg ${EXAMPLES}/Tralvex.ini)
expect_no_match("${out}" ": (warning|error): " "good examples")
expect_match("${out}" "Tralvex.ini:6:1: note: a context reads only the default section COMMON" "default section")

# The broken settings file.
run_tool(1 out err check ${EXAMPLES}/broken/Tralvex.ini)
foreach(finding
    "3:1: warning: keyword \"Texts\" is skipped: it has no \"-\".*\\[ini-skipped-keyword\\]"
    "4:1: warning: keyword \"Zero-0\" is skipped: the number after.*\\[ini-skipped-keyword\\]"
    "5:1: error: keyword \"Missing-0FF\" is skipped: the message file \"Missing.msg\" does not exist.*\\[ini-missing-file\\]"
    "6:1: error: the message file \"Broken.msg\" cannot be used.*0143.*\\[ini-unopenable-file\\]"
    "7:1: warning: only 0x1000 after the \"-\" is read.*\"-1FFF\" is ignored.*\\[ini-bound-suffix\\]"
    "7:1: warning: \"../Notes-en.msg\" defines 6 message\\(s\\) outside its range 0x100..0x1000, such as 0x1001, which lookups send to no file \\[ini-outside-range\\]"
    "7:1: note: a gap: the numbers 0x100..0xFFF fall to \"../Notes-en.msg\", which defines none of them; its messages begin at 0x1000 \\[ini-gap\\]"
    "8:1: warning: the range of \"Print-1000\" ends at 0x1000 like that of \"Notes-1000-1FFF\" \\(line 7\\).*never opened \\[ini-shadowed-range\\]"
    " note: numbers above 0x1000 are served by no file.*\\[ini-unserved\\]")
  expect_match("${out}" "Tralvex.ini:${finding}" "broken settings")
endforeach()

# A file whose lines end in line feeds alone is one line.
file(WRITE ${WORK}/lf.msg "[Main]\n1: one\n2: two\n")
run_tool(1 out err check ${WORK}/lf.msg)
expect_match("${out}" "lf.msg:1:7: error: .*the 2 line\\(s\\) after it.*\\[line-endings\\]" "lf")
# A last line ending in a line feed joins nothing.
file(WRITE ${WORK}/trailing.msg "[Main]\r\n1: one\n")
run_tool(0 out err check ${WORK}/trailing.msg)
expect_no_match("${out}" "line-endings" "trailing line feed")

# Warnings count as errors only with --werror.
file(WRITE ${WORK}/warn.msg "[Main]\r\n1: a;b\r\n")
run_tool(0 out err check ${WORK}/warn.msg)
expect_match("${out}" "warn.msg:2:5: warning: .*\\[semicolon-cut\\]" "warning")
run_tool(1 out err check --werror ${WORK}/warn.msg)

# JSON for machines, with the counts.
run_tool(1 out err check --format=json ${WORK}/lf.msg ${WORK}/warn.msg)
expect_match("${out}" "^\\{\"diagnostics\": \\[\n  \\{\"file\": \"[^\"]*lf.msg\", \"line\": 1, \"column\": 7, \"severity\": \"error\", \"message\": \"[^\"]*\", \"check\": \"line-endings\"\\}" "json")
expect_match("${out}" "\"errors\": 1, \"warnings\": 1, \"notes\": 0\\}\n$" "json counts")
expect_no_match("${err}" "error\\(s\\)" "json has no summary on stderr")

# Byte sequences the chosen code page cannot read.
# CMake strings take no \x escapes: the bytes above 0x7F are made here.
string(ASCII 130 160 hiragana)
string(ASCII 129 lead)
file(WRITE ${WORK}/sjis.msg "[Main]\r\n1: ok ${hiragana} and bad ${lead} \r\n2: lead at the end ${lead}\r\n")
run_tool(1 out err check --codepage 932 ${WORK}/sjis.msg)
expect_match("${out}" "sjis.msg:2:18: error: lead byte 0x81 is followed by 0x20.*\\[encoding\\]" "trail byte")
expect_match("${out}" "sjis.msg:3:20: error: lead byte 0x81 ends the line.*\\[encoding\\]" "lead at the end")
run_tool(0 out err check ${WORK}/sjis.msg)
run_tool(1 out err check --codepage=65001 ${EXAMPLES}/broken/../Notes-cs.msg ${WORK}/sjis.msg)
expect_no_match("${out}" "Notes-cs.msg" "valid UTF-8")
expect_match("${out}" "sjis.msg:2:7: error: byte 0x82 does not start a valid UTF-8 character" "invalid UTF-8")

# What cannot be checked: exit status 2 with the file and the reason, while
# the other files are still checked.
run_tool(2 out err check ${WORK}/missing.msg ${WORK} ${WORK}/warn.msg)
expect_match("${err}" "missing.msg: no such file" "missing")
expect_match("${err}" "${WORK}: is a directory" "directory")
expect_match("${out}" "warn.msg:2:5: warning" "the others are checked")
run_tool(2 out err check ${TOOL})
expect_match("${err}" "is a binary file \\(a NUL byte at offset [0-9]+\\)" "binary")
run_tool(2 out err check)
run_tool(2 out err check --format=xml ${WORK}/warn.msg)
run_tool(2 out err check --codepage 4711 ${WORK}/warn.msg)
expect_match("${err}" "unknown code page \"4711\"" "code page")
run_tool(2 out err check --werror=yes ${WORK}/warn.msg)
run_tool(0 out err check --help)
expect_match("${out}" "^usage: tralvex check" "help")

# The examples ship a copy of the error catalogue: it must stay the same.
file(READ ${EXAMPLES}/QelError.msg example_catalogue HEX)
file(READ ${EXAMPLES}/../data/QelError.msg shipped_catalogue HEX)
if(NOT example_catalogue STREQUAL shipped_catalogue)
  message(SEND_ERROR "examples/QelError.msg differs from data/QelError.msg")
endif()
