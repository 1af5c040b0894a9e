# The engine's sources, relative to the project root. The main build and the
# fuzz build (fuzz/) both compile them.
set(ZQ_ENGINE_SOURCES
  core/BuiltinWords.cpp
  core/ChunkCodec.cpp
  core/FileSystem.cpp
  core/Import.cpp
  core/MemoryFileSystem.cpp
  core/Random.cpp
  core/SettingsStore.cpp
  core/WordDatabase.cpp
  core/WordDatabaseSave.cpp
  core/WordNode.cpp
  quiz/RackModel.cpp
  quiz/SetStatistics.cpp
  quiz/TileBag.cpp
  tools/WordBuilderSearch.cpp
  wordsets/UserWordSet.cpp
  wordsets/WordSetCriteria.cpp
)
