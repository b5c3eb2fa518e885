# Read by ctest after the discovered tests of test_data: labels the tests that take minutes on a
# loaded machine, so that a quick run can leave them out with -LE long, and gives them a time-out
# of their own. They still run by default.
set_tests_properties(LimitsTest.FullSheetsOfUniqueShortTextsReadBackCellForCell PROPERTIES LABELS long TIMEOUT 3600 COST 1000)
