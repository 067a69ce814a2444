# Guards against the string-table generator accepting a malformed messages file, a translation that lost ids or keyword global names, or ids named twice or not at all (which would ship wrong or missing texts), or rejecting a good one.
# Run as: cmake -DGENERATOR=<GenerateStringTable.cmake> -DWORK_DIR=<dir> -DRESOURCES_DIR=<resources/> -P generator_cases.cmake
string(ASCII 9 T)
string(ASCII 195 BAD_LEAD)
string(ASCII 192 175 OVERLONG)
string(ASCII 237 160 128 SURROGATE)
string(ASCII 226 130 CUT_SHORT)
string(ASCII 13 CR)

# name | file content | expected error (regex), empty when the file is good
set(cases
  "no_tab|1 text\n|:1: no tab between the id and the text"
  "id_not_numeric|1a${T}text\n|:1: the id before the tab is not a decimal number"
  "id_missing|${T}text\n|:1: the id before the tab is not a decimal number"
  "id_duplicate|# c\n5${T}a\n\n5${T}b\n|:4: id 5 is defined twice \\(first on line 2\\)"
  "id_duplicate_zeros|5${T}a\n005${T}b\n|:2: id 5 is defined twice"
  "id_too_large|65536${T}a\n|:1: id 65536 is out of range"
  "id_huge|123456789012345678901234567890${T}a\n|:1: id .* is out of range"
  "empty_text|7${T}\n|:1: message 7 has an empty text"
  "unknown_escape|1${T}a\\qb\n|:1: unknown escape \\\\q"
  "lone_backslash|1${T}ab\\\n|:1: the text ends in a lone backslash"
  "raw_tab|1${T}a b${T}c\n|:1: a tab in the text"
  "raw_tab_after_name|1${T}Name${T}a${T}b\n|:1: a tab in the text"
  "name_twice|1${T}Same${T}a\n2${T}Same${T}b\n|:2: the name Same is given twice \\(first on line 1\\)"
  "bad_utf8_lead|1${T}a${BAD_LEAD}\n|:1: invalid UTF-8"
  "overlong_utf8|1${T}${OVERLONG}\n|:1: invalid UTF-8"
  "surrogate_utf8|1${T}${SURROGATE}\n|:1: invalid UTF-8"
  "cut_short_utf8|1${T}a${CUT_SHORT}\n|:1: invalid UTF-8 \\(sequence cut short\\)"
  "keywords_unbalanced|1${T}Yes No _ Yes\n|:1: a keyword list declares 2 local and 1 global names"
  "keywords_two_separators|1${T}A _ B _ C\n|:1: a keyword list has 2 lone \"_\" separators"
  "keywords_empty|1${T}_\n|:1: a keyword list declares 0 local and 0 global names"
  "good_crlf_and_no_final_newline|2${T}b${CR}\n1${T}a|"
  "good_keywords_with_underscored_names|1${T}a_b C _ a_b C\n|"
)

# A translation against its reference: same ids, same keyword global names.
set(reference "1${T}Yes No _ Yes No\n2${T}Text\n")
set(translation_cases
  "translation_good|2${T}Texte\n1${T}Oui Non _ Yes No\n|"
  "translation_missing_id|1${T}Oui Non _ Yes No\n|ids of .* are missing: 2"
  "translation_extra_id|1${T}Oui Non _ Yes No\n2${T}T\n3${T}T\n|ids that .* does not have: 3"
  "translation_renamed_global|1${T}Oui Non _ Yes Nein\n2${T}T\n|:1: message 1 must declare the global names \"Yes No\""
  "translation_new_list|1${T}Oui Non _ Yes No\n2${T}T _ Text\n|:2: message 2 must declare the global names \"\""
)
file(WRITE ${WORK_DIR}/reference.messages "${reference}")
list(APPEND translation_cases "translation_names_a_message|1${T}Yes${T}Oui Non _ Yes No\n2${T}T\n|:1: a translation names no message")

# The named ids: every message named.
set(ids_cases
  "ids_good|1${T}First${T}a\n# c\n7${T}Second2${T}b\n|"
  "ids_unnamed|1${T}First${T}a\n2${T}b\n|:2: message 2 has no name"
)

set(failures 0)
function(run_case entry reference_args)
  string(REGEX MATCH "^([^|]*)\\|(.*)\\|([^|]*)$" _ "${entry}")
  set(name "${CMAKE_MATCH_1}")
  set(content "${CMAKE_MATCH_2}")
  set(expected "${CMAKE_MATCH_3}")
  set(input ${WORK_DIR}/${name}.messages)
  file(WRITE ${input} "${content}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} ${reference_args} -DOUTPUT_CPP=${WORK_DIR}/${name}.cpp
            -DOUTPUT_RC=${WORK_DIR}/${name}.rc -P ${GENERATOR}
    RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out)
  string(REGEX REPLACE "[ \n]+" " " err "${err}")
  if(expected STREQUAL "")
    if(NOT rc EQUAL 0)
      message(SEND_ERROR "${name}: a good file was rejected: ${err}")
      math(EXPR failures "${failures} + 1")
    endif()
  elseif(rc EQUAL 0)
    message(SEND_ERROR "${name}: a malformed file was accepted")
    math(EXPR failures "${failures} + 1")
  elseif(NOT err MATCHES "${expected}")
    message(SEND_ERROR "${name}: wrong reason, expected /${expected}/, got: ${err}")
    math(EXPR failures "${failures} + 1")
  endif()
  set(failures ${failures} PARENT_SCOPE)
endfunction()

foreach(entry IN LISTS cases)
  run_case("${entry}" "")
endforeach()
foreach(entry IN LISTS translation_cases)
  run_case("${entry}" "-DREFERENCE=${WORK_DIR}/reference.messages")
endforeach()
foreach(entry IN LISTS ids_cases)
  run_case("${entry}" "-DOUTPUT_IDS=${WORK_DIR}/ids.h")
endforeach()
list(APPEND cases ${translation_cases} ${ids_cases})

# Every shipped translation against the English file.
file(GLOB translations ${RESOURCES_DIR}/*/PlSceneRes.messages)
foreach(translation IN LISTS translations)
  file(READ ${translation} content)
  get_filename_component(language ${translation} DIRECTORY)
  get_filename_component(language ${language} NAME)
  run_case("shipped_${language}|${content}|" "-DREFERENCE=${RESOURCES_DIR}/PlSceneRes.messages")
  list(APPEND cases ${translation})
endforeach()

# The good CRLF file: both ids, sorted, carriage return dropped.
file(READ ${WORK_DIR}/good_crlf_and_no_final_newline.cpp cpp)
if(NOT cpp MATCHES "\\{1u, L\"a\"\\},\n    \\{2u, L\"b\"\\},")
  message(SEND_ERROR "good_crlf_and_no_final_newline: unexpected table:\n${cpp}")
  math(EXPR failures "${failures} + 1")
endif()

# The header of ids_good: each name with its id, in file order.
file(READ ${WORK_DIR}/ids.h ids)
if(NOT ids MATCHES "kFirst = 1;\ninline constexpr unsigned kSecond2 = 7;\n")
  message(SEND_ERROR "ids_good: unexpected header:\n${ids}")
  math(EXPR failures "${failures} + 1")
endif()

list(LENGTH cases total)
math(EXPR passed "${total} + 2 - ${failures}")
message(STATUS "${passed} passed, ${failures} failed")
