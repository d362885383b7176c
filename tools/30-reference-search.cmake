# The plain reference search kept with the engine tests; the bench tool compares against it too.
zelmar_module_library(zelmar_reference_search ${PROJECT_SOURCE_DIR}/tests/engine/reference/ReferenceSearch.cpp)
# Same optimisation as the engine, so that speed comparisons are fair.
target_compile_options(zelmar_reference_search PRIVATE $<$<NOT:$<CONFIG:Debug>>:-O3>)
