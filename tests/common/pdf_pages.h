// The pages of a PDF file as the print manager writes them: how many there
// are and the size of each media box in points.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

struct PdfPages {
    int count = 0;
    std::vector<std::pair<double, double>> boxes;
};

// Page objects ("/Type /Page", not "/Pages") and their media boxes.
inline PdfPages pdf_pages(const std::string& pdf) {
    PdfPages r;
    for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1)) {
        if (pdf.compare(at, 12, "/Type /Pages") != 0) ++r.count;
    }
    for (size_t at = pdf.find("/MediaBox"); at != std::string::npos; at = pdf.find("/MediaBox", at + 1)) {
        double x0, y0, x1, y1;
        if (std::sscanf(pdf.c_str() + at, "/MediaBox [ %lf %lf %lf %lf", &x0, &y0, &x1, &y1) == 4 ||
            std::sscanf(pdf.c_str() + at, "/MediaBox [%lf %lf %lf %lf", &x0, &y0, &x1, &y1) == 4) {
            r.boxes.emplace_back(x1 - x0, y1 - y0);
        }
    }
    return r;
}
