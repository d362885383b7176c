# The computer player's search and evaluation.
zelmar_module_library(zelmar_search
  search/ChessSearch.cpp
  search/SearchEvaluate.cpp
  search/SearchGenerate.cpp
  search/SearchRootText.cpp)
# The search is the hot path of the whole game: optimise it fully in every build type but Debug.
target_compile_options(zelmar_search PRIVATE $<$<NOT:$<CONFIG:Debug>>:-O3>)
