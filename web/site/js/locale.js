// The browser's preferred languages as the program's number formats need
// them. What a browser reports about itself is only a wish: a tag that Intl
// rejects (WebKitGTK under the C locale reports "C") is passed over, and with
// none left the default language's formats hold.

const DEFAULT_LANGUAGE = 'en';

// The first of `languages` that Intl accepts, or the default.
export function usableLanguage(languages) {
  for (const language of languages || []) {
    try {
      const [canonical] = Intl.getCanonicalLocales(language);
      if (canonical) return canonical;
    } catch {
      // Not a language tag: the next one may be.
    }
  }
  return DEFAULT_LANGUAGE;
}

// The decimal separator of the first usable language of `languages`.
export function decimalSeparatorFor(languages) {
  const parts = new Intl.NumberFormat(usableLanguage(languages)).formatToParts(1.5);
  return (parts.find((part) => part.type === 'decimal') || { value: '.' }).value;
}

// The browser's own list: navigator.languages, or its one language where the list is missing.
export function browserLanguages() {
  if (navigator.languages && navigator.languages.length > 0) return navigator.languages;
  return navigator.language ? [navigator.language] : [];
}
