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

file(WRITE ${WORK}/empty.msg "")
run_tool(0 out err dump ${WORK}/empty.msg)
expect_match("${out}" "no sections" "empty file")
