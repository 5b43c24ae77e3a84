#include "editor/inclusion_lists.h"

#include <algorithm>

#include "editor/feature_line.h"
#include "schema/attribute_schema.h"
#include "schema/candidate_features.h"

namespace quorbel::editor {

namespace {

FeatureLine lineOf(const FeatureEntry& feature) {
    FeatureLine line;
    line.text = featureLine(feature.code, feature.name);
    line.key = std::string(featureLineKey(line.text));
    return line;
}

void applySelection(std::vector<FeatureLine>& lines, const std::vector<std::size_t>& rows) {
    for (FeatureLine& line : lines) {
        line.selected = false;
    }
    for (const std::size_t row : rows) {
        if (row < lines.size()) {
            lines[row].selected = true;
        }
    }
}

std::vector<std::size_t> selectedRowsBottomUp(const std::vector<FeatureLine>& lines) {
    std::vector<std::size_t> rows;
    for (std::size_t row = lines.size(); row-- > 0;) {
        if (lines[row].selected) {
            rows.push_back(row);
        }
    }
    return rows;
}

// Removes the marked rows in one pass; erasing them one by one would be quadratic for a large
// selection.
void removeRows(std::vector<FeatureLine>& lines, std::vector<bool>& removed) {
    std::size_t next = 0;
    for (std::size_t row = 0; row < lines.size(); ++row) {
        if (!removed[row]) {
            if (next != row) {
                lines[next] = std::move(lines[row]);
            }
            ++next;
        }
    }
    lines.resize(next);
}

}  // namespace

void InclusionLists::rebuildIncluded(const AttributeSchema& schema, std::string_view table) {
    m_included.clear();
    m_includedKeys.clear();
    const auto& features = schema.features();
    for (const std::size_t position : schema.featuresOfTable(table)) {
        m_included.push_back(lineOf(features[position]));
        m_includedKeys.insert(m_included.back().key);
    }
}

void InclusionLists::setIncluded(std::vector<FeatureLine> lines) {
    m_included = std::move(lines);
    m_includedKeys.clear();
    for (const FeatureLine& line : m_included) {
        m_includedKeys.insert(line.key);
    }
}

void InclusionLists::refillAvailable(const AttributeSchema& schema, std::string_view prefix,
                                     int32_t kind) {
    m_available.clear();
    const auto& features = schema.features();
    for (const std::size_t position : candidateFeatures(schema, prefix, kind, &m_includedKeys)) {
        m_available.push_back(lineOf(features[position]));
    }
}

std::string InclusionLists::firstIncludedPrefix() const {
    if (m_included.empty()) {
        return {};
    }
    return m_included.front().text.substr(0, 2);
}

void InclusionLists::setAvailableSelection(const std::vector<std::size_t>& rows) {
    applySelection(m_available, rows);
}

void InclusionLists::setIncludedSelection(const std::vector<std::size_t>& rows) {
    applySelection(m_included, rows);
}

std::size_t InclusionLists::include() {
    std::vector<bool> removed(m_available.size(), false);
    std::size_t moved = 0;
    for (const std::size_t row : selectedRowsBottomUp(m_available)) {
        FeatureLine& line = m_available[row];
        if (isIncluded(line.key)) {
            break;
        }
        if (line.text.empty()) {
            continue;
        }
        m_includedKeys.insert(line.key);
        m_included.push_back(std::move(line));
        m_included.back().selected = true;
        removed[row] = true;
        ++moved;
    }
    if (moved > 0) {
        removeRows(m_available, removed);
    }
    return moved;
}

std::size_t InclusionLists::exclude(AttributeSchema& schema) {
    std::vector<std::string> codes;
    const std::size_t moved = excludeLines(codes);
    for (const std::string& code : codes) {
        schema.releaseFeature(code);
    }
    return moved;
}

std::size_t InclusionLists::excludeLines(std::vector<std::string>& codes) {
    std::vector<bool> removed(m_included.size(), false);
    std::size_t moved = 0;
    for (const std::size_t row : selectedRowsBottomUp(m_included)) {
        FeatureLine& line = m_included[row];
        removeIncludedKey(line.key);
        codes.push_back(line.key);
        m_available.push_back(std::move(line));
        m_available.back().selected = true;
        removed[row] = true;
        ++moved;
    }
    if (moved > 0) {
        removeRows(m_included, removed);
    }
    return moved;
}

void InclusionLists::saveInclusion(AttributeSchema& schema, std::string_view table) const {
    for (const FeatureLine& line : m_included) {
        schema.assignFeature(line.key, table);
    }
}

void InclusionLists::removeIncludedKey(const std::string& key) {
    const auto found = m_includedKeys.find(key);
    if (found != m_includedKeys.end()) {
        m_includedKeys.erase(found);
    }
}

bool InclusionLists::isIncluded(const std::string& key) const {
    return m_includedKeys.find(key) != m_includedKeys.end();
}

}  // namespace quorbel::editor
