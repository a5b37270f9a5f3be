// Every text the plug-in shows or gives the script, in one place:
//
//   QELT_TEXT(id, default, uk, en)
//
// - id: the name a script gives QeltNSIS::SetText; never renamed.
// - default: the texts as the plug-in has always shown them (no language
//   chosen, or ""); byte for byte, so existing installers see no change.
//   Mostly Ukrainian; the key-expiry warnings are Russian.
// - uk: Ukrainian throughout. en: English.
//
// Placeholders: %d a number, %s a text, %% a percent sign. Every column of a
// row has the same placeholders in the same order (a test holds that), and
// so must a script's own words for the row. The comment above a group says
// what its placeholders stand for.
//
// No include guard: each user defines QELT_TEXT and includes the table.

// --- Loading the library: %s the DLL's name or path, %d the longest path or
// Windows' error code.
QELT_TEXT(library_path_too_long,
          "Помилка завантаження бібліотеки %s.\nШлях до неї довший за %d символи.",
          "Помилка завантаження бібліотеки %s.\nШлях до неї довший за %d символи.",
          "Cannot load the library %s.\nIts path is longer than %d characters.")
QELT_TEXT(library_not_loaded,
          "Помилка завантаження бібліотеки %s.\nКод помилки: %d",
          "Помилка завантаження бібліотеки %s.\nКод помилки: %d",
          "Cannot load the library %s.\nError code: %d")
QELT_TEXT(function_kmgetfuncs_missing,
          "Помилка завантаження функції KMGetFuncs.",
          "Помилка завантаження функції KMGetFuncs.",
          "Cannot load the library function KMGetFuncs.")
QELT_TEXT(simulator_loaded,
          "Завантажено імітатор бібліотеки НОЛМ із тестового набору QeltNSIS, а не саму бібліотеку.\n"
          "Він лише для тестів інсталятора.",
          "Завантажено імітатор бібліотеки НОЛМ із тестового набору QeltNSIS, а не саму бібліотеку.\n"
          "Він лише для тестів інсталятора.",
          "The Nolm library simulator of the QeltNSIS test kit was loaded, not the library itself.\n"
          "It is for installer tests only.")
// %s the library function's name.
QELT_TEXT(function_unavailable,
          "Функція бібліотеки %s недоступна.\nБібліотеку не завантажено, або в ній немає цієї функції.",
          "Функція бібліотеки %s недоступна.\nБібліотеку не завантажено або в ній немає цієї функції.",
          "The library function %s is not available.\nThe library is not loaded, or it lacks the function.")
// When the library gives no text of its own: %d its result code.
QELT_TEXT(library_error,
          "Помилка бібліотеки НОЛМ (код %d).",
          "Помилка бібліотеки НОЛМ (код %d).",
          "Nolm library error (code %d).")

// --- Opening the library: %d the longest path.
QELT_TEXT(config_path_too_long,
          "Помилка відкриття бібліотеки НОЛМ.\nШлях до файлу nolm.cfg довший за %d символи.",
          "Помилка відкриття бібліотеки НОЛМ.\nШлях до файлу nolm.cfg довший за %d символи.",
          "Cannot open the Nolm library.\nThe path of nolm.cfg is longer than %d characters.")
// Given to the script by OpenNolm: %d the library's version.
QELT_TEXT(library_version,
          "Версія біблотеки НОЛМ - %d",
          "Версія бібліотеки НОЛМ - %d",
          "Nolm library version %d")

// --- Loading a key: %d the longest path.
QELT_TEXT(key_path_too_long,
          "Помилка завантаження ключа.\nШлях до ключа довший за %d символів.",
          "Помилка завантаження ключа.\nШлях до ключа довший за %d символів.",
          "Cannot load the key.\nThe key's path is longer than %d characters.")
// The caption of the expiry warnings, and the warnings: %s the library's
// text, %d the days left.
QELT_TEXT(expiry_caption,
          "Предупреждение системы безопасности",
          "Попередження системи безпеки",
          "Security warning")
QELT_TEXT(secret_key_expiring,
          "%s\nДо истечения срока действия секретного ключа осталось %d дней",
          "%s\nДнів до закінчення терміну дії таємного ключа: %d",
          "%s\nDays left before the secret key expires: %d")
QELT_TEXT(admin_key_expiring,
          "%s\nДо истечения срока действия ключа администратора осталось %d дней",
          "%s\nДнів до закінчення терміну дії ключа адміністратора: %d",
          "%s\nDays left before the administrator key expires: %d")
QELT_TEXT(card_key_loaded,
          "P_NolmLoadSecKeyCC - ok",
          "Ключ із картки завантажено.",
          "The key on the card is loaded.")

// --- Generating a key: %d the longest key name, %s the request file.
QELT_TEXT(key_name_too_long_generation,
          "Помилка генерації ключа.\nІм'я ключа довше за %d символів.",
          "Помилка генерації ключа.\nІм'я ключа довше за %d символів.",
          "Cannot generate the key.\nThe key name is longer than %d characters.")
QELT_TEXT(no_random_data,
          "Помилка генерації ключа.\nНе вдалося отримати випадкові дані від системи.",
          "Помилка генерації ключа.\nНе вдалося отримати випадкові дані від системи.",
          "Cannot generate the key.\nWindows gave no random data.")
QELT_TEXT(request_path_too_long,
          "Помилка генерації ключа.\nШлях до файлу запиту задовгий.",
          "Помилка генерації ключа.\nШлях до файлу запиту задовгий.",
          "Cannot generate the key.\nThe path of the request file is too long.")
QELT_TEXT(file_not_opened,
          "Помилка відкриття для запису файлу: %s",
          "Помилка відкриття файлу для запису: %s",
          "Cannot open the file for writing: %s")
QELT_TEXT(file_not_written,
          "Помилка запису файлу: %s",
          "Помилка запису файлу: %s",
          "Cannot write the file: %s")
QELT_TEXT(no_key_request,
          "Запит ключа не збережено.\nНемає запиту: спершу згенеруйте ключ (KeyGenCC).",
          "Запит ключа не збережено.\nНемає запиту: спершу згенеруйте ключ (KeyGenCC).",
          "The key request was not saved.\nThere is no request: generate a key first (KeyGenCC).")

// --- Changing a password: %d the longest key name.
QELT_TEXT(key_name_too_long_password,
          "Помилка зміни пароля.\nІм'я ключа довше за %d символів.",
          "Помилка зміни пароля.\nІм'я ключа довше за %d символів.",
          "Cannot change the password.\nThe key name is longer than %d characters.")

// --- The plastic card: captions of its error boxes, and its texts. In
// card_error, %s is one of the four texts after it and %d the card's code.
QELT_TEXT(card_caption,
          "Помилка роботи з Plastic Card",
          "Помилка роботи з пластиковою карткою",
          "Plastic card error")
QELT_TEXT(card_open_caption,
          "Помилка роботи з Plastic Card(init)",
          "Помилка відкриття пластикової картки",
          "Cannot open the plastic card")
QELT_TEXT(card_pin_caption,
          "Помилка роботи з Plastic Card(chPIN)",
          "Помилка зміни PIN-коду пластикової картки",
          "Cannot change the plastic card's PIN")
QELT_TEXT(card_functions_missing,
          "Бібліотека не надала функцій роботи з Plastic Card.",
          "Бібліотека не надала функцій роботи з пластиковою карткою.",
          "The library gave no functions for the plastic card.")
QELT_TEXT(card_error,
          "%s (код %d)",
          "%s (код %d)",
          "%s (code %d)")
QELT_TEXT(card_bad_arguments,
          "Невірне значення аргументу",
          "Неправильне значення аргументу",
          "Invalid argument")
QELT_TEXT(card_wrong_pin,
          "Невірний PIN-код",
          "Неправильний PIN-код",
          "Wrong PIN")
QELT_TEXT(card_no_device,
          "Не знайдено підключеного пристою.",
          "Не знайдено підключеного пристрою.",
          "No connected device found.")
QELT_TEXT(card_unknown_error,
          "Невизначена помилка",
          "Невідома помилка",
          "Unknown error")

// --- The library's certificates, given to the script: the end of validity
// as day, month and year.
QELT_TEXT(certificate_valid_until,
          "(діє до %d/%d/%d)",
          "(діє до %d/%d/%d)",
          "(valid until %d/%d/%d)")

// --- Texts that cannot be passed on. %s the variable's name without "$"
// ("2", "R0").
QELT_TEXT(text_refused_in_variable,
          "Текст у змінній $%s містить символи, яких немає в кодуванні Windows-1251.\n"
          "Бібліотека НОЛМ приймає лише текст у цьому кодуванні, тож його не передано.",
          "Текст у змінній $%s містить символи, яких немає в кодуванні Windows-1251.\n"
          "Бібліотека НОЛМ приймає лише текст у цьому кодуванні, тож його не передано.",
          "The text in variable $%s holds characters that Windows-1251 lacks.\n"
          "The Nolm library takes text in that code page only, so it was not passed on.")
QELT_TEXT(text_refused_on_stack,
          "Текст на стеку містить символи, яких немає в кодуванні Windows-1251.\n"
          "Бібліотека НОЛМ приймає лише текст у цьому кодуванні, тож його не передано.",
          "Текст на стеку містить символи, яких немає в кодуванні Windows-1251.\n"
          "Бібліотека НОЛМ приймає лише текст у цьому кодуванні, тож його не передано.",
          "The text on the stack holds characters that Windows-1251 lacks.\n"
          "The Nolm library takes text in that code page only, so it was not passed on.")
QELT_TEXT(typed_text_refused,
          "Введений текст містить символи, яких немає в кодуванні системи,\n"
          "тож його не можна передати інсталятору.",
          "Введений текст містить символи, яких немає в кодуванні системи,\n"
          "тож його не можна передати інсталятору.",
          "The text entered holds characters that the system's code page lacks,\n"
          "so it cannot be passed to the installer.")
// What LastError tells after a dialog was left without a choice.
QELT_TEXT(cancelled,
          "Скасовано користувачем.",
          "Скасовано користувачем.",
          "Cancelled by the user.")

// --- The password dialog (PromptPassword) and the password change dialog
// (PromptPasswordChange).
QELT_TEXT(password_caption,
          "Вкажіть пароль",
          "Вкажіть пароль",
          "Enter password")
QELT_TEXT(password_label,
          "Вкажіть пароль таємного ключа:",
          "Вкажіть пароль таємного ключа:",
          "Enter the secret key's password:")
QELT_TEXT(change_caption,
          "Зміна пароля\\пін-кода",
          "Зміна пароля або PIN-коду",
          "Change password or PIN")
QELT_TEXT(change_current_label,
          "Вкажіть поточний пароль\\пін-код:",
          "Вкажіть поточний пароль або PIN-код:",
          "Enter the current password or PIN:")
QELT_TEXT(change_new_label,
          "Вкажіть новий пароль\\пін-код:",
          "Вкажіть новий пароль або PIN-код:",
          "Enter the new password or PIN:")
QELT_TEXT(change_repeat_label,
          "Повторіть новий пароль\\пін-кода:",
          "Повторіть новий пароль або PIN-код:",
          "Repeat the new password or PIN:")
// OK in every dialog; Cancel of the two password dialogs.
QELT_TEXT(ok_button,
          "OK",
          "OK",
          "OK")
QELT_TEXT(password_cancel_button,
          "Відмінити",
          "Скасувати",
          "Cancel")

// --- The key choice dialog (ReadFolderKey, ReadTokenKey, Test,
// ReadTokenAvtorKey) and the card reader choice dialog (CheckToken).
QELT_TEXT(key_choice_caption,
          "Вибір ключа",
          "Вибір ключа",
          "Choose a key")
QELT_TEXT(key_choice_label,
          "Виберіть один з доступних ключів",
          "Виберіть один із доступних ключів",
          "Choose one of the available keys")
QELT_TEXT(device_choice_caption,
          "Вибір пристою etoken",
          "Вибір пристрою",
          "Choose a device")
QELT_TEXT(device_choice_label,
          "Виберіть один з доступних пристроїв",
          "Виберіть один із доступних пристроїв",
          "Choose one of the available devices")
QELT_TEXT(list_cancel_button,
          "Cancel",
          "Скасувати",
          "Cancel")

// --- The progress window's percentage: %d the bar's position.
QELT_TEXT(progress_percentage,
          "%d%%",
          "%d%%",
          "%d%%")

// --- What LastError tells when Language or SetText refuses: %s the value,
// or the text's id (and then the built-in text it must match).
QELT_TEXT(language_unknown,
          "Мову не змінено: «%s» — невідома мова. Можна \"\", uk, en або auto.",
          "Мову не змінено: «%s» — невідома мова. Можна \"\", uk, en або auto.",
          "The language was not changed: \"%s\" is not a language. Use \"\", uk, en or auto.")
QELT_TEXT(text_id_unknown,
          "Текст не змінено: тексту «%s» немає.",
          "Текст не змінено: тексту «%s» немає.",
          "The text was not changed: there is no text \"%s\".")
QELT_TEXT(text_placeholders_differ,
          "Текст «%s» не змінено: у ньому мають бути ті самі місця для значень у тому самому порядку, "
          "що й у «%s».",
          "Текст «%s» не змінено: у ньому мають бути ті самі місця для значень у тому самому порядку, "
          "що й у «%s».",
          "The text \"%s\" was not changed: it must hold the same placeholders in the same order as "
          "\"%s\".")
