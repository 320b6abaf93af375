#include "i18n/Languages.h"

namespace vandir {

std::u16string_view LanguageName(int language) {
    return IsLanguageIndex(language) ? kLanguages[language - kFirstLanguage].englishName
                                     : std::u16string_view{};
}

int LanguageButtonId(int language) {
    return IsLanguageIndex(language) ? kLanguages[language - kFirstLanguage].buttonId : 0;
}

std::u16string_view ResetWord(int language) {
    return IsLanguageIndex(language) ? kResetWords[language - kFirstLanguage]
                                     : std::u16string_view{};
}

std::u16string_view ApplyWord(int language) {
    return IsLanguageIndex(language) ? kApplyWords[language - kFirstLanguage]
                                     : std::u16string_view{};
}

}  // namespace vandir
