// Format detection: which model's reader fits a file best. Every model of
// the model table reads the beginning of the file from memory; a model
// scores by the lines its reader recognises (for the delimited lists, only
// lines of the layout it reads count) and it must make at least one record.
// The score is the share of the lines recognised; equal shares keep the
// order of the model table, so of two models the content cannot tell apart
// the first is taken.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "conversion/models.h"

namespace tervan {

// Detection looks at no more than this much of a file.
inline constexpr std::size_t kDetectBytes = 64 * 1024;
inline constexpr std::size_t kDetectLines = 200;

struct ModelFit {
    const ModelEntry* model = nullptr;
    long lines = 0;       // lines looked at (words, for a word stream)
    long recognised = 0;  // of those, the ones the reader took; 0 when it made no record
    long records = 0;     // points, or levelling rows, made from them

    // At least one record, and at least a third of the lines recognised
    // (real recordings hold many kinds of record that no reader takes).
    bool fits() const { return records > 0 && 3 * recognised >= lines; }
    int percent() const { return lines > 0 ? static_cast<int>(100 * recognised / lines) : 0; }
};

struct Detection {
    std::string error;              // why the file cannot be read; "" when it could
    std::vector<ModelFit> ranking;  // every model of the table, best first

    // The model that fits best; nullptr when none fits.
    const ModelEntry* best() const;
    // The names of the other models that fit exactly as well as the best.
    std::vector<std::string> alike() const;
    // Whether the model of that name fits.
    bool fits(std::string_view model) const;
    // The best model when it fits strictly better than the model of that
    // name (a level's GSI file read as "GSI"); nullptr otherwise.
    const ModelEntry* betterThan(std::string_view model) const;
    // "no model fits job.txt; nearest: Leica1200 (40% of the lines), kor (12%)"
    std::string noFitText(std::string_view fileName) const;
};

// The part of bytes detection looks at: the first kDetectBytes (ending at a
// line end where the file goes on), at most kDetectLines lines, blank lines
// left out.
std::string detectionSample(std::string_view bytes);

// Scores every model on bytes (cut to the detection sample first).
Detection detectModel(std::string_view bytes);

// Reads the beginning of the file and scores every model on it.
Detection detectFile(const std::string& path);

}  // namespace tervan
