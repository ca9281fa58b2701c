#include "tools/asset-gen/ObjWriter.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

std::string Number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5f", static_cast<double>(value));
    std::string result = text;
    if (result == "-0.00000") {
        result = "0.00000";
    }
    return result;
}

// Numbers each distinct record in order of first use and collects the lines that declare them.
class RecordTable {
public:
    explicit RecordTable(const char* keyword) : keyword(keyword) {}

    int Index(const std::string& a, const std::string& b, const std::string& c) {
        const std::string record = a + " " + b + " " + c;
        const auto [it, added] = indices.emplace(record, static_cast<int>(indices.size()) + 1);
        if (added) {
            lines += keyword;
            lines += ' ';
            lines += record;
            lines += '\n';
        }
        return it->second;
    }
    const std::string& Lines() const { return lines; }

private:
    const char* keyword;
    std::map<std::string, int> indices;
    std::string lines;
};

} // namespace

std::string ObjText(const Mesh& mesh, const std::string& title) {
    RecordTable positions("v");
    RecordTable texCoords("vt");
    RecordTable normals("vn");
    std::string faces;
    const std::vector<Vertex>& corners = mesh.Corners();
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Vertex& c = corners[i];
        const int p = positions.Index(Number(c.p.x), Number(c.p.y), Number(c.p.z));
        const int t = texCoords.Index(Number(c.u), Number(c.v), Number(0.0f));
        const int n = normals.Index(Number(c.n.x), Number(c.n.y), Number(c.n.z));
        faces += i % 3 == 0 ? "f" : "";
        faces += ' ' + std::to_string(p) + '/' + std::to_string(t) + '/' + std::to_string(n);
        faces += i % 3 == 2 ? "\n" : "";
    }
    std::string text = "# Tavrin chess piece: " + title + "\n";
    text += "# " + std::to_string(mesh.TriangleCount()) + " triangles, y up, base on y = 0\n";
    return text + positions.Lines() + texCoords.Lines() + normals.Lines() + faces;
}

void WriteObj(const std::string& path, const Mesh& mesh, const std::string& title) {
    const std::string text = ObjText(mesh, title);
    std::ofstream file(path, std::ios::binary);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}
