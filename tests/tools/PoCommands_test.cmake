# tralvex po export and po import on fixtures in code pages 1250, 932 and
# UTF-8: the PO files msgfmt -c accepts, the round trip that gives the
# translation back byte for byte, the changes an import makes, and hostile
# PO files that must leave every file as it was.
include(${CMAKE_CURRENT_LIST_DIR}/ToolTestHelpers.cmake)
set(FIXTURES ${CMAKE_CURRENT_LIST_DIR}/fixtures)
find_program(MSGFMT msgfmt)
if(NOT MSGFMT)
  message(FATAL_ERROR "msgfmt is missing: scripts/install-deps.sh installs gettext")
endif()

function(expect_same_file a b what)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${a} ${b} RESULT_VARIABLE differ)
  if(differ)
    message(SEND_ERROR "${what}: ${b} differs from ${a}")
  endif()
endfunction()

function(expect_msgfmt_accepts po what)
  execute_process(COMMAND ${MSGFMT} -c -o ${WORK}/checked.mo ${po}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(SEND_ERROR "${what}: msgfmt -c refuses ${po}:\n${out}${err}")
  endif()
endfunction()

# Each fixture: code page, base, translation, language.
set(pairs
  "1250|${FIXTURES}/cp1250/Base.msg|${FIXTURES}/cp1250/Czech.msg|cs"
  "932|${FIXTURES}/cp932/Base.msg|${FIXTURES}/cp932/Japanese.msg|ja"
  "65001|${EXAMPLES}/Notes-en.msg|${EXAMPLES}/Notes-cs.msg|cs")
foreach(pair ${pairs})
  string(REPLACE "|" ";" fields "${pair}")
  list(GET fields 0 cp)
  list(GET fields 1 base)
  list(GET fields 2 translation)
  list(GET fields 3 lang)
  set(po ${WORK}/${cp}.po)
  run_tool(0 out err po export --codepage ${cp} --lang ${lang} -o ${po} ${base} ${translation})
  expect_msgfmt_accepts(${po} "code page ${cp}")
  run_tool(0 template err po export --codepage ${cp} ${base})
  file(WRITE ${WORK}/${cp}.pot "${template}")
  expect_msgfmt_accepts(${WORK}/${cp}.pot "template of code page ${cp}")
  expect_no_match("${template}" "msgstr \"[^\"]" "template of code page ${cp}")
  # The unchanged PO gives the translation back, in place and through -o.
  configure_file(${translation} ${WORK}/copy-${cp}.msg COPYONLY)
  run_tool(0 out err po import --codepage ${cp} ${po} ${WORK}/copy-${cp}.msg)
  expect_match("${err}" "0 text\\(s\\) changed, 0 message\\(s\\) added" "round trip ${cp}")
  expect_same_file(${translation} ${WORK}/copy-${cp}.msg "round trip in place, code page ${cp}")
  run_tool(0 out err po import --codepage ${cp} ${po} ${translation} -o ${WORK}/out-${cp}.msg)
  expect_same_file(${translation} ${WORK}/out-${cp}.msg "round trip through -o, code page ${cp}")
endforeach()

# What an entry holds.
file(READ ${WORK}/65001.po po)
foreach(entry
    "\"Language: cs\\\\n\""
    "\"Content-Type: text/plain; charset=UTF-8\\\\n\""
    "\"X-Tralvex-Sections: COMMON, EDITOR=Common, DIALOGS=Editor, ERRORS\\\\n\""
    "#\\. the program name, then the document name\n#: [^\n]*Notes-en.msg:10\n#, c-format\nmsgctxt \"COMMON/1004\"\nmsgid \"{1000\\|Notes} - %s\"\nmsgstr \"{1000\\|Poznámky} - %s\"\n"
    "#: [^\n]*Notes-en.msg:9\nmsgctxt \"COMMON/1003\"\nmsgid \"  Help  \"\nmsgstr \"  Nápověda  \"\n"
    "msgctxt \"DIALOGS/1002\"\nmsgid \"Close\"\nmsgstr \"Zavřít\"\n"
    "msgctxt \"ERRORS/1F03\"\nmsgid \"\"\n\"{1F00\\|The file could not be opened.}\\\\\\\\n{1000\\|Notes} will open an empty \"\n")
  expect_match("${po}" "${entry}" "exported entry")
endforeach()
# Inherited messages are not repeated: COMMON/1000 only, not EDITOR/1000.
expect_no_match("${po}" "msgctxt \"(EDITOR|DIALOGS)/1000\"" "inherited message")
file(READ ${WORK}/932.po po)
expect_match("${po}" "msgctxt \"ゾーン/20\"\nmsgid \"Delivery zone\"\nmsgstr \"配送ゾーン表\"\n" "code page 932 entry")
expect_match("${po}" "msgctxt \"SHOP/14\"\nmsgid \"Cart \"\nmsgstr \"カート表\"\n" "code page 932 entry")

# Changes: a text replaced on its line, a message added in number order with
# the quotes and the ";" its text needs, a section added with the base's
# alias line; the untranslated and fuzzy entries skipped, the obsolete one
# ignored.
run_tool(0 out err po import --codepage 1250 ${FIXTURES}/hostile/changes.po ${FIXTURES}/cp1250/Czech.msg
         -o ${WORK}/changed.msg)
expect_same_file(${FIXTURES}/cp1250/Czech-changed.msg ${WORK}/changed.msg "changes")
expect_match("${err}" "1 text\\(s\\) changed, 2 message\\(s\\) added in 1 new section\\(s\\), 0 unchanged; skipped 1 untranslated and 1 fuzzy entries; 1 obsolete entries ignored" "report")
# A translation that does not exist yet is created.
run_tool(2 out err po import --codepage 65001 ${WORK}/65001.po ${WORK}/new/Notes-cs.msg)
expect_match("${err}" "Notes-cs.msg: cannot create a file beside it: No such file or directory; nothing written" "a missing directory")
file(MAKE_DIRECTORY ${WORK}/new)
run_tool(0 out err po import --codepage 65001 ${WORK}/65001.po ${WORK}/new/Notes-cs.msg)
expect_match("${err}" "created, 0 text\\(s\\) changed, 23 message\\(s\\) added in 4 new section\\(s\\)" "created")
run_tool(0 out err compare --codepage 65001 ${EXAMPLES}/Notes-en.msg ${WORK}/new/Notes-cs.msg)
expect_match("${out}" ": 23 of 23 messages, 100%" "created translation is complete")

# Hostile PO files: exit status 2, the entry named by its line, nothing written.
string(REPEAT "0123456789" 10240 long)
file(READ ${FIXTURES}/hostile/no-context.po header LIMIT 240)
string(REGEX REPLACE "\n\nmsgctxt.*" "\n\n" header "${header}")
file(WRITE ${WORK}/long.po "${header}msgctxt \"COMMON/101\"\nmsgid \"Cancel\"\nmsgstr \"${long}\"\n")
set(hostile
  "no-context|:13:1: error: an entry without context"
  "malformed-number|:14:1: error: entry \"COMMON/10G\": the context is not SECTION/NUMBER.*:18:1: .*:22:1: .*:26:1: "
  "unknown-section|:14:1: error: entry \"SETUP/101\": unknown section SETUP"
  "plural|:14:1: error: entry \"DIALOG/203\": plural forms"
  "invalid-utf8|:14:1: error: entry \"COMMON/101\": invalid UTF-8 at byte 4 of the msgstr"
  "line-break|:14:1: error: entry \"COMMON/101\": a line break"
  "not-in-code-page|:14:1: error: entry \"COMMON/101\": U\\+53D6 \"取\" cannot be written in code page 1250"
  "twice|:18:1: error: entry \"common/0101\": the message is translated twice. the other entry is at line 14"
  "other-charset|:1:1: error: the PO file is in charset ISO-8859-2"
  "${WORK}/long|:10:1: error: entry \"COMMON/101\": a text of 102400 bytes, longer than the 65535")
foreach(case ${hostile})
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 expected)
  set(po ${FIXTURES}/hostile/${name}.po)
  if(IS_ABSOLUTE ${name})
    set(po ${name}.po)
  endif()
  configure_file(${FIXTURES}/cp1250/Czech.msg ${WORK}/hostile.msg COPYONLY)
  run_tool(2 out err po import --codepage 1250 ${po} ${WORK}/hostile.msg)
  expect_match("${err}" "${expected}" "hostile ${name}")
  expect_match("${err}" "nothing written" "hostile ${name}")
  expect_same_file(${FIXTURES}/cp1250/Czech.msg ${WORK}/hostile.msg "hostile ${name}")
  # Nor is a file written elsewhere (three cases are enough to show it).
  if(name MATCHES "^(no-context|invalid-utf8|not-in-code-page)$")
    run_tool(2 out err po import --codepage 1250 ${po} ${WORK}/hostile.msg -o ${WORK}/hostile-out.msg)
    if(EXISTS ${WORK}/hostile-out.msg)
      message(SEND_ERROR "hostile ${name}: -o wrote a file")
    endif()
  endif()
endforeach()
file(GLOB leftovers ${WORK}/.*.tmp)
if(leftovers)
  message(SEND_ERROR "temporary files left behind: ${leftovers}")
endif()

# A translation read in the wrong code page would end up in two: refused.
configure_file(${FIXTURES}/cp1250/Czech.msg ${WORK}/wrong.msg COPYONLY)
run_tool(2 out err po import --codepage 65001 ${FIXTURES}/hostile/changes.po ${WORK}/wrong.msg)
expect_match("${err}" "wrong.msg:1:[0-9]+: error: byte 0x[0-9A-F]+ starts no character of code page 65001; give the file's code page with --codepage" "wrong code page")
expect_same_file(${FIXTURES}/cp1250/Czech.msg ${WORK}/wrong.msg "wrong code page")
run_tool(2 out err po export --codepage 65001 ${FIXTURES}/cp1250/Base.msg ${FIXTURES}/cp1250/Czech.msg)
expect_match("${err}" "Czech.msg:6:12: error: byte 0xF8 starts no character of code page 65001: the text cannot be written in UTF-8" "export in the wrong code page")

# Outputs that cannot be written, and usage.
run_tool(2 out err po export --codepage 1250 ${FIXTURES}/cp1250/Base.msg -o ${WORK})
expect_match("${err}" "is a directory; nothing written" "export to a directory")
run_tool(2 out err po export --codepage 1250 ${FIXTURES}/cp1250/Base.msg -o ${WORK}/no/such/dir/x.po)
run_tool(2 out err po import ${WORK}/1250.po ${FIXTURES}/cp1250/Czech.msg -o ${WORK})
run_tool(2 out err po import ${WORK}/1250.po)
run_tool(2 out err po export)
run_tool(2 out err po frobnicate)
run_tool(2 out err po export --lang 'cs CZ' ${FIXTURES}/cp1250/Base.msg)
expect_match("${err}" "--lang takes a language" "bad language")
run_tool(0 out err po export --help)
expect_match("${out}" "usage: tralvex po export" "help")
file(WRITE ${WORK}/refused.msg "[Main]\r\nAlias: Gone\r\n1: x\r\n")
run_tool(1 out err po import ${WORK}/65001.po ${WORK}/refused.msg)
expect_match("${err}" "refused.msg: the library would not open it" "refused translation")
