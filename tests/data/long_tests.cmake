# Read by ctest after the discovered tests of test_data: labels the tests that take about a
# minute, so that a quick run can leave them out with -LE long. They still run by default.
set_tests_properties(LimitsTest.FullSheetsOfUniqueShortTextsReadBackCellForCell PROPERTIES LABELS long)
