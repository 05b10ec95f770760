# The e-invoice check itself, proven on the official artefacts: it passes the official examples and
# rejects a planted fault. The checks are slow (a JVM per rule set), so each runs once.
set(check_einvoice ${PROJECT_SOURCE_DIR}/scripts/check-einvoice.sh)
add_test(NAME einvoice.harness.official_examples
    COMMAND ${check_einvoice} ${CMAKE_CURRENT_SOURCE_DIR}/einvoice/examples)
add_test(NAME einvoice.harness.xrechnung_examples
    COMMAND ${check_einvoice} --xrechnung-all --warnings-pass ${CMAKE_CURRENT_SOURCE_DIR}/einvoice/xrechnung-examples)
add_test(NAME einvoice.harness.planted_fault COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/einvoice_plantedfault.sh)
set_tests_properties(einvoice.harness.official_examples einvoice.harness.xrechnung_examples
    einvoice.harness.planted_fault PROPERTIES TIMEOUT 300 LABELS einvoice)

# The e-invoice tests link the module and know where the check script lies.
foreach(name ciiwriter_test preflight_test netlines_test einvoicecorpus_test facturx_test einvoiceissue_test
        sellerfooter_test incoming_test receivedwindow_test badinput_test faultsweep_test recurring_test
        correction_test)
    target_link_libraries(${name} PRIVATE quillora_einvoice)
    target_compile_definitions(${name} PRIVATE QUILLORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
endforeach()
# The tests of received invoices read them, the official examples and hostile files among them.
foreach(name incoming_test badinput_test)
    target_link_libraries(${name} PRIVATE quillora_incoming)
endforeach()

# 200 invoices through the real creation path, every archived file through the check above: about
# 4 minutes in the main build. The sanitizer build makes 20 of them, which still take every kind of
# invoice the generator varies, in a fraction of its time.
if(QUILLORA_SANITIZE)
    set(QUILLORA_GENERATED_INVOICES 20)
else()
    set(QUILLORA_GENERATED_INVOICES 200)
endif()
add_executable(einvoicegenerator einvoicegenerator.cpp)
target_link_libraries(einvoicegenerator PRIVATE quillora_testsupport GTest::gtest_main)
target_compile_definitions(einvoicegenerator PRIVATE QUILLORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                           QUILLORA_GENERATED_INVOICES=${QUILLORA_GENERATED_INVOICES})
add_test(NAME einvoice.generated_invoices COMMAND env ${QUILLORA_TEST_ENVIRONMENT} $<TARGET_FILE:einvoicegenerator>)
set_tests_properties(einvoice.generated_invoices PROPERTIES TIMEOUT 900 LABELS einvoice)
