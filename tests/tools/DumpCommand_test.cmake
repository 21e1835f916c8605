# Runs the built tool on the examples and on small fixtures written here,
# checking what it prints and its exit status.
# Expects -DTOOL=<tool> -DEXAMPLES=<examples dir> -DWORK=<scratch dir>.
include(${CMAKE_CURRENT_LIST_DIR}/ToolTestHelpers.cmake)

# Sections after aliases, sorted numbers in hex, the override of 1002.
run_tool(0 out err dump ${EXAMPLES}/Notes-en.msg)
expect_match("${out}" "\\[COMMON\\]  \\(default\\)  7 messages" "dump")
expect_match("${out}" "\\[DIALOGS\\]  18 messages, alias Editor\n      1000  Notes  \\(from COMMON\\)\n      1001  OK  \\(from COMMON\\)\n      1002  Close\n" "dump")
expect_match("${out}" "      1F03  {1F00\\|The file could not be opened.}\\\\n" "dump")
expect_match("${out}" "      1105  Find text\n" "dump")
expect_match("${out}" "      1105  Find text  \\(from EDITOR\\)\n" "dump of an inherited message")

run_tool(0 out err dump --section=editor ${EXAMPLES}/Notes-en.msg)
expect_match("${out}" "^\\[EDITOR\\]  13 messages, alias Common\n" "dump --section")
expect_no_match("${out}" "DIALOGS" "dump --section")

# Failures: exit status 2 for what cannot be read, 1 for faults of the file.
run_tool(2 out err dump ${WORK}/missing.msg)
expect_match("${err}" "missing.msg: " "missing file")
run_tool(2 out err dump ${WORK})
expect_match("${err}" "is a directory" "directory")
run_tool(2 out err dump)
run_tool(2 out err dump a.msg b.msg)
run_tool(2 out err dump --nonsense x ${EXAMPLES}/Notes-en.msg)
run_tool(2 out err frobnicate)
run_tool(1 out err dump ${EXAMPLES}/Notes-en.msg --section nowhere)
expect_match("${err}" "no section \"nowhere\"" "unknown section")

file(WRITE ${WORK}/broken.msg "[Main]\r\nAlias: Gone\r\n1: x\r\n")
run_tool(1 out err dump ${WORK}/broken.msg)
expect_match("${err}" "error 0143: .*\\[MAIN\\]" "broken alias")

# Control bytes are shown escaped, so every message stays on one line.
file(WRITE ${WORK}/lf.msg "1: one\n2: two\n")
run_tool(0 out err dump ${WORK}/lf.msg)
expect_match("${out}" "\\[I_N_V_I_S_I_B_L_E\\]  \\(default\\)  1 message\n         1  one\\\\x0A2: two\\\\x0A\n" "line feeds")

# A real tab and the four characters "\x09" are told apart; so are one
# backslash before "x" and two. The escapes messages carry stay readable.
file(WRITE ${WORK}/escapes.msg "[Main]\r\n1: a\tb\r\n2: a\\x09b\r\n3: a\\\\x09b\r\n4: line\\n\\tnext\r\n")
run_tool(0 out err dump ${WORK}/escapes.msg)
expect_match("${out}" "\n         1  a\\\\x09b\n         2  a\\\\\\\\x09b\n         3  a\\\\\\\\\\\\\\\\x09b\n         4  line\\\\n\\\\tnext\n" "escapes")
# A line feed in a section name stays on its line too.
file(WRITE ${WORK}/lfname.msg "[Two\nlines]\r\n1: x\r\n")
run_tool(0 out err dump ${WORK}/lfname.msg)
expect_match("${out}" "^\\[TWO\\\\x0ALINES\\]  \\(default\\)  1 message\n" "section name")

# A blank section name is the default section, as the library selects it.
run_tool(0 out err dump --section " " ${EXAMPLES}/Notes-en.msg)
expect_match("${out}" "^\\[COMMON\\]  \\(default\\)  7 messages\n" "blank section")
expect_no_match("${out}" "EDITOR" "blank section")

# The file the library reads: ".MSG" added to a name without extension.
file(WRITE ${WORK}/noext "[Other]\r\n1: not read\r\n")
file(WRITE ${WORK}/noext.msg "[Read]\r\n1: read\r\n")
run_tool(0 out err dump ${WORK}/noext)
expect_match("${out}" "^\\[READ\\]  \\(default\\)  1 message\n         1  read\n$" "no extension")
expect_match("${err}" "note: .*noext is read as .*noext.msg\n" "no extension")
run_tool(0 out err dump --format=json ${WORK}/noext)
expect_match("${out}" "^\\{\"file\": \"[^\"]*noext\", \"path\": \"[^\"]*noext.msg\"" "json names both")
file(MAKE_DIRECTORY ${WORK}/sub)
file(WRITE ${WORK}/sub/Mixed.MSG "[Sub]\r\n1: sub\r\n")
run_tool(0 out err dump "${WORK}/sub\\mixed.msg")
expect_match("${out}" "^\\[SUB\\]" "backslash and case")

# Neither FIFO nor device is opened, and the reason says why.
execute_process(COMMAND mkfifo ${WORK}/fifo.msg)
file(CREATE_LINK /dev/urandom ${WORK}/random.msg SYMBOLIC)
run_tool(2 out err dump ${WORK}/fifo.msg)
expect_match("${err}" "fifo.msg: is a FIFO \\(named pipe\\), not a regular file" "FIFO")
run_tool(2 out err dump ${WORK}/random.msg)
expect_match("${err}" "random.msg: is a device, not a regular file" "device")
run_tool_redirected(">/dev/full" 2 err dump ${EXAMPLES}/Notes-en.msg)
expect_match("${err}" "cannot write to standard output: No space left on device" "full disk")

# A chain of 100,000 sections: the message of its last section is shared by
# more sections than an entry counts, and the library gives the rest copies
# of it. Every one still names where it is defined.
write_with_awk(${WORK}/chain.msg
  "for (i = 0; i < 100000; i++) printf \"[S%d]\\r\\nAlias: S%d\\r\\n\", i, i + 1; printf \"[S100000]\\r\\n1: one\\r\\n\"")
run_tool(0 out err dump ${WORK}/chain.msg)
string(REGEX MATCHALL "  \\(from S100000\\)\n" sources "${out}")
list(LENGTH sources source_count)
if(NOT source_count EQUAL 100000)
  message(SEND_ERROR "${source_count} of 100000 inherited messages name their section")
endif()
run_tool(0 out err dump --format=json --section S0 ${WORK}/chain.msg)
expect_match("${out}" "\"definedIn\": \"S100000\", \"own\": false" "json source")

file(WRITE ${WORK}/empty.msg "")
run_tool(0 out err dump ${WORK}/empty.msg)
expect_match("${out}" "no sections" "empty file")
