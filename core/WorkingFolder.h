#pragma once

#include <string>
#include <vector>

namespace zq {

// Where the program may find its lexicon when it starts.
struct FolderPlaces {
    std::string current;        // the folder it was started in
    std::string zendraquilHome; // $ZENDRAQUIL_HOME; empty when unset
    std::string xdgDataHome;    // $XDG_DATA_HOME; empty when unset
    std::string home;           // $HOME
    std::string installedData;  // the installed copy: PREFIX/share/zendraquil
};

// The folder the program works in, and how it was chosen.
struct WorkingFolder {
    std::string folder;              // where word.lst and the word sets live
    bool found = false;              // a word.lst is there
    std::vector<std::string> looked; // the folders looked in, in order
    std::vector<std::string> seeded; // files copied in from the installed copy
    std::string problem;             // why the user's own folder could not be used
};

// The user's own folder: $ZENDRAQUIL_HOME, else $XDG_DATA_HOME/Zendraquil
// (an absolute $XDG_DATA_HOME only), else $HOME/.local/share/Zendraquil;
// empty when none of them is known.
std::string userFolder(const FolderPlaces& places);

// A word.lst in the current folder wins. Otherwise the program works in the
// user's own folder, which is made when missing; when it holds no word.lst
// yet, the installed word.lst is copied in, with the installed *.wordset
// files that are not there already, so that each user edits a copy of their
// own. A file is copied under a temporary name first, so a failed copy never
// leaves a half-written file. When the user's folder cannot be made, the
// program works in the current folder.
WorkingFolder chooseWorkingFolder(const FolderPlaces& places);

// The message for a start with no lexicon anywhere: the folders looked in.
std::string missingWordListMessage(const WorkingFolder& choice);

} // namespace zq
