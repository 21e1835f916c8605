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
configure_file(${TOOL} ${WORK}/binary.msg COPYONLY)
run_tool(2 out err check ${WORK}/binary.msg)
expect_match("${err}" "is a binary file \\(a NUL byte at offset [0-9]+\\)" "binary")
run_tool(2 out err check)
run_tool(2 out err check --format=xml ${WORK}/warn.msg)
run_tool(2 out err check --codepage 4711 ${WORK}/warn.msg)
expect_match("${err}" "unknown code page \"4711\"" "code page")
# 4294968546 is 1250 plus 2 to the 32nd: no code page for all that.
run_tool(2 out err check --codepage 4294968546 ${WORK}/warn.msg)
expect_match("${err}" "unknown code page \"4294968546\"" "a code page number that wraps")
run_tool(2 out err check --werror=yes ${WORK}/warn.msg)
run_tool(0 out err check --help)
expect_match("${out}" "^usage: tralvex check" "help")

# The file the library reads: ".MSG" added to a name without extension,
# backslashes as separators, a name matched in any case. The findings are
# about that file, which is named.
file(WRITE ${WORK}/noext "[Main]\r\n1: a;b\r\n")
file(WRITE ${WORK}/noext.msg "[Main]\r\n1: fine\r\n2: fine too\r\n2: shadowed\r\n")
run_tool(0 out err check ${WORK}/noext)
expect_match("${err}" "note: .*noext is read as .*noext.msg\n" "a name without extension")
expect_match("${out}" "noext.msg:4:1: warning: .*\\[shadowed-message\\]" "the .MSG file is checked")
expect_no_match("${out}" "semicolon-cut" "the file without extension is not")
file(MAKE_DIRECTORY ${WORK}/sub)
file(WRITE ${WORK}/sub/Mixed.MSG "[Main]\r\n1: a;b\r\n")
run_tool(0 out err check "${WORK}/sub\\mixed.msg")
expect_match("${out}" "sub/Mixed.MSG:2:5: warning: .*\\[semicolon-cut\\]" "backslash and case")
run_tool(2 out err check ${WORK}/gone)
expect_match("${err}" "gone: the library reads .*gone.MSG, and there is no such file \\(error 0127: The file was not found \\[.*GONE.MSG\\]; error 0140: " "the library's reason")

# What is not a regular file is refused before it is opened: a FIFO would
# keep the tool waiting, a device would never end.
execute_process(COMMAND mkfifo ${WORK}/fifo.msg)
file(CREATE_LINK /dev/zero ${WORK}/zero.msg SYMBOLIC)
file(CREATE_LINK loop.msg ${WORK}/loop.msg SYMBOLIC)
run_tool(2 out err check ${WORK}/fifo.msg ${WORK}/zero.msg ${WORK}/loop.msg ${WORK}/warn.msg)
expect_match("${err}" "fifo.msg: is a FIFO \\(named pipe\\), not a regular file" "FIFO")
expect_match("${err}" "zero.msg: is a device, not a regular file" "device")
expect_match("${err}" "loop.msg: cannot be examined: Too many levels of symbolic links \\(error 0120" "link loop")
expect_match("${out}" "warn.msg:2:5: warning" "the others are checked")

# Lost output is a failure, whether the disk is full or the output closed.
run_tool_redirected(">/dev/full" 2 err check ${WORK}/warn.msg)
expect_match("${err}" "cannot write to standard output: No space left on device" "full disk")
run_tool_redirected(">&-" 2 err check ${WORK}/warn.msg)
expect_match("${err}" "cannot write to standard output: Bad file descriptor" "closed output")

# Alias chains and rings of 100,000 sections: each section is visited a
# bounded number of times. The time limit only guards against a hang.
write_with_awk(${WORK}/chain.msg
  "for (i = 0; i < 100000; i++) printf \"[S%d]\\r\\nAlias: S%d\\r\\n\", i, i + 1; printf \"[S100000]\\r\\n1: one\\r\\n\"")
write_with_awk(${WORK}/ring.msg
  "for (i = 0; i < 100000; i++) printf \"[S%d]\\r\\nAlias: S%d\\r\\n%X: t\\r\\n\", i, (i + 1) % 100000, i")
run_tool(0 out err check ${WORK}/chain.msg)
expect_no_match("${out}" "alias-cycle" "a chain is no cycle")
run_tool(0 out err check ${WORK}/ring.msg)
expect_match("${out}" "ring.msg:2:1: warning: alias cycle S0 -> S1 -> S2 -> S3 -> S4 -> S5 -> S6 -> \\.\\.\\. -> S99999 -> S0 \\(100000 sections\\)" "the ring, once")
string(REGEX MATCHALL "alias-cycle" cycles "${out}")
list(LENGTH cycles cycle_count)
if(NOT cycle_count EQUAL 1)
  message(SEND_ERROR "the ring is reported ${cycle_count} times")
endif()

# A settings file whose 2,000 keywords share one 2.8 MB message file: the
# file is parsed once, as the library's loaded-file table holds it once.
file(MAKE_DIRECTORY ${WORK}/shared)
write_with_awk(${WORK}/shared/Big.msg
  "printf \"[Main]\\r\\n\"; for (i = 0; i < 120000; i++) printf \"%X: message number %d\\r\\n\", i, i")
write_with_awk(${WORK}/shared/Tralvex.ini
  "printf \"[MessageFiles]\\r\\n\"; for (i = 1; i <= 2000; i++) printf \"K%d-%X=Big.msg\\r\\n\", i, i * 60")
run_tool(0 out err check ${WORK}/shared/Tralvex.ini)
expect_match("${out}" "Tralvex.ini:2001:1: warning: \"Big.msg\" defines 119941 message\\(s\\) outside its range 0x1D485..0x1D4C0" "the last range")

# The examples ship a copy of the error catalogue: it must stay the same.
file(READ ${EXAMPLES}/QelError.msg example_catalogue HEX)
file(READ ${EXAMPLES}/../data/QelError.msg shipped_catalogue HEX)
if(NOT example_catalogue STREQUAL shipped_catalogue)
  message(SEND_ERROR "examples/QelError.msg differs from data/QelError.msg")
endif()
