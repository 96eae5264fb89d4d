#include "components/font_substitution.h"

#include <array>

namespace {

constexpr const char* kSerif = "Noto Serif CJK SC";
constexpr const char* kSans = "Noto Sans CJK SC";

// The Chinese faces that come with Windows, by their Chinese and their Latin names. Song, Fang
// Song and Kai are brush or printed serif styles; Hei, YaHei, DengXian and the decorative faces
// are closest to the sans.
constexpr std::array kSubstitutions = {
    FontSubstitution{"宋体", kSerif},
    FontSubstitution{"SimSun", kSerif},
    FontSubstitution{"新宋体", kSerif},
    FontSubstitution{"NSimSun", kSerif},
    FontSubstitution{"仿宋", kSerif},
    FontSubstitution{"仿宋_GB2312", kSerif},
    FontSubstitution{"FangSong", kSerif},
    FontSubstitution{"楷体", kSerif},
    FontSubstitution{"楷体_GB2312", kSerif},
    FontSubstitution{"KaiTi", kSerif},
    FontSubstitution{"华文宋体", kSerif},
    FontSubstitution{"STSong", kSerif},
    FontSubstitution{"黑体", kSans},
    FontSubstitution{"SimHei", kSans},
    FontSubstitution{"微软雅黑", kSans},
    FontSubstitution{"Microsoft YaHei", kSans},
    FontSubstitution{"等线", kSans},
    FontSubstitution{"DengXian", kSans},
    FontSubstitution{"幼圆", kSans},
    FontSubstitution{"YouYuan", kSans},
    FontSubstitution{"隶书", kSans},
    FontSubstitution{"LiSu", kSans},
    FontSubstitution{"华文细黑", kSans},
    FontSubstitution{"STXihei", kSans},
};

}  // namespace

std::span<const FontSubstitution> FontSubstitutions()
{
    return kSubstitutions;
}

QString SubstituteFontFamily(const QString& faceName)
{
    QString name = faceName.trimmed();
    for (const FontSubstitution& entry : kSubstitutions) {
        if (name.compare(QString::fromUtf8(entry.faceName), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(entry.family);
    }
    return name;
}
