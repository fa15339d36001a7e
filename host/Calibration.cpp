// Fitting, keeping and reading the instrument's calibration line.
#include "Calibration.h"

#include "SettingText.h"

#include "kernel/FileBytes.h"

#include <cstdio>
#include <fstream>

std::optional<Calibration> Calibration::fit(const std::vector<std::pair<double, double>>& points)
{
    const double n = static_cast<double>(points.size());
    double meanX = 0;
    double meanY = 0;
    for (const auto& [x, y] : points) {
        meanX += x / n;
        meanY += y / n;
    }
    double sxx = 0;
    double sxy = 0;
    double syy = 0;
    for (const auto& [x, y] : points) {
        sxx += (x - meanX) * (x - meanX);
        sxy += (x - meanX) * (y - meanY);
        syy += (y - meanY) * (y - meanY);
    }
    if (!(sxx > 0) || !(sxy > 0))
        return std::nullopt;
    const double slope = sxy / sxx;
    return Calibration{slope, meanY - slope * meanX, sxy * sxy / (sxx * syy)};
}

std::optional<Calibration> Calibration::load(const std::filesystem::path& file)
{
    const auto text = FileBytes::read(file);
    Calibration calibration{};
    if (!text || std::sscanf(text->c_str(), "Slope,Intercept,R2\n%lf,%lf,%lf", &calibration.slope,
                             &calibration.intercept, &calibration.r2) != 3 || !(calibration.slope > 0))
        return std::nullopt;
    return calibration;
}

void Calibration::save(const std::filesystem::path& file) const
{
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        << "Slope,Intercept,R2\n" << DecimalText(slope, 6) << "," << DecimalText(intercept, 6) << "," << DecimalText(r2, 6) << "\n";
}
