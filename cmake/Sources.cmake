# The program's sources, relative to the project root, in two layers side by
# side. The engine is plain C++ with no Qt: the main build, the command-line
# tool, the tests, the benchmarks and the fuzz build (fuzz/) all compile it.
# The desktop program adds the Qt sources on top of it. scripts/check-layers.py
# (run by the tests) holds each file to its layer.

set(ZQ_ENGINE_SOURCES
  # core/: the lexicon, its file format, loading and saving; includes nothing
  # from the other folders.
  core/BuiltinWords.cpp
  core/ChunkCodec.cpp
  core/FileSystem.cpp
  core/Import.cpp
  core/Letters.cpp
  core/MemoryFileSystem.cpp
  core/Lexicons.cpp
  core/LexiconImport.cpp
  core/PlayerWordList.cpp
  core/Random.cpp
  core/SettingsStore.cpp
  core/Utf8.cpp
  core/WordDatabase.cpp
  core/WordDatabaseSave.cpp
  core/WordNode.cpp
  core/WorkingFolder.cpp
  # tools/: the word tools' rules and texts.
  tools/EditWord.cpp
  tools/WordBuilderSearch.cpp
  tools/WordChecker.cpp
  # wordsets/: criteria, marking, user word set files.
  wordsets/UserWordSet.cpp
  wordsets/WordSetCriteria.cpp
  wordsets/WordSetWizard.cpp
  # print/: the printed pages' layout.
  print/PageLayout.cpp
  # study/: anagrams, hooks, probability order and word search.
  study/Cardbox.cpp
  study/Questions.cpp
  study/SearchResults.cpp
  study/StudyIndex.cpp
  study/StudySession.cpp
  study/WordSearch.cpp
  # quiz/: tiles and scoring, the rack's rules, statistics.
  quiz/QuizSession.cpp
  quiz/RackModel.cpp
  quiz/SetStatistics.cpp
  quiz/TileBag.cpp
)

# The settings store over QSettings: Qt Core only, so that its tests need no
# windows.
set(ZQ_QT_SETTINGS_SOURCES
  app/QtSettingsStore.cpp
)

set(ZQ_GUI_SOURCES
  # app/: the shell, the dialog base pieces, the commands.
  app/AboutDialog.cpp
  app/Answers.cpp
  app/AppContext.cpp
  app/AppDialog.cpp
  app/Commands.cpp
  app/DialogBuilder.cpp
  app/InfoLabel.cpp
  app/LogonDialog.cpp
  app/MainWindow.cpp
  app/MenuElementButton.cpp
  app/MessageStrip.cpp
  app/OptionsDialog.cpp
  app/QtHost.cpp
  app/StartupProbe.cpp
  # tools/: the word tools' dialogs.
  tools/EditWordDialog.cpp
  tools/WordBuilderDialog.cpp
  tools/WordCheckerDialog.cpp
  # wordsets/: the word set wizard.
  wordsets/WordSetWizardDialog.cpp
  # print/: drawing the pages, the print dialog and the preview.
  print/PrintFrame.cpp
  print/PrintView.cpp
  # quiz/: the quiz window, the statistics list and the tile rack widget.
  quiz/QuizDialog.cpp
  quiz/StatisticsDialog.cpp
  quiz/TileRack.cpp
  # study/: the study window.
  study/StudyDialog.cpp
  study/LexiconsDialog.cpp
  # resources/: dialog templates (plain data) and the artwork.
  resources/Artwork.cpp
  resources/DialogTemplates.cpp
)
