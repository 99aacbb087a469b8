"""Texts shared by the fixtures of both writers."""

LANGUAGES = [
    "English", "ChineseT", "ChineseS", "German", "French", "Italian", "Spanish", "Portuguese",
    "Dutch", "Danish", "Swedish", "Norwegian", "Finnish", "Polish", "Czech", "Slovak",
    "Hungarian", "Romanian", "Russian", "Ukrainian", "Greek", "Turkish", "Arabic", "Hebrew",
    "Thai", "Japanese", "Korean", "Vietnamese", "Indonesian", "Catalan", "Croatian", "Bulgarian",
    "Slovenian", "Estonian"
]
assert len(LANGUAGES) == 34

PHRASES = {
    "Install": {
        "English": "Install", "ChineseT": "安裝", "ChineseS": "安装", "German": "Installieren",
        "French": "Installer", "Italian": "Installa", "Spanish": "Instalar",
        "Portuguese": "Instalar", "Dutch": "Installeren", "Danish": "Installer",
        "Swedish": "Installera", "Norwegian": "Installer", "Finnish": "Asenna",
        "Polish": "Zainstaluj", "Czech": "Instalovat", "Slovak": "Inštalovať",
        "Hungarian": "Telepítés", "Romanian": "Instalează", "Russian": "Установить",
        "Ukrainian": "Встановити", "Greek": "Εγκατάσταση", "Turkish": "Yükle",
        "Arabic": "تثبيت", "Hebrew": "התקנה", "Thai": "ติดตั้ง", "Japanese": "インストール",
        "Korean": "설치", "Vietnamese": "Cài đặt", "Indonesian": "Pasang", "Catalan": "Instal·la",
        "Croatian": "Instaliraj", "Bulgarian": "Инсталиране", "Slovenian": "Namesti",
        "Estonian": "Paigalda"
    },
    "Cancel": {
        "English": "Cancel", "ChineseT": "取消", "ChineseS": "取消", "German": "Abbrechen",
        "French": "Annuler", "Italian": "Annulla", "Spanish": "Cancelar",
        "Portuguese": "Cancelar", "Dutch": "Annuleren", "Danish": "Annuller",
        "Swedish": "Avbryt", "Norwegian": "Avbryt", "Finnish": "Peruuta", "Polish": "Anuluj",
        "Czech": "Zrušit", "Slovak": "Zrušiť", "Hungarian": "Mégse", "Romanian": "Anulează",
        "Russian": "Отмена", "Ukrainian": "Скасувати", "Greek": "Άκυρο", "Turkish": "İptal",
        "Arabic": "إلغاء", "Hebrew": "ביטול", "Thai": "ยกเลิก", "Japanese": "キャンセル",
        "Korean": "취소", "Vietnamese": "Hủy", "Indonesian": "Batal", "Catalan": "Cancel·la",
        "Croatian": "Odustani", "Bulgarian": "Отказ", "Slovenian": "Prekliči",
        "Estonian": "Loobu"
    },
    "Welcome": {
        "English": "Welcome to the Setup Wizard", "ChineseT": "歡迎使用安裝精靈",
        "ChineseS": "欢迎使用安装向导", "German": "Willkommen beim Setup-Assistenten",
        "French": "Bienvenue dans l'assistant d'installation",
        "Italian": "Benvenuti nell'installazione guidata",
        "Spanish": "Bienvenido al asistente de instalación",
        "Portuguese": "Bem-vindo ao assistente de instalação",
        "Dutch": "Welkom bij de installatiewizard",
        "Danish": "Velkommen til installationsguiden",
        "Swedish": "Välkommen till installationsguiden",
        "Norwegian": "Velkommen til installasjonsveiviseren",
        "Finnish": "Tervetuloa asennusohjelmaan", "Polish": "Witamy w kreatorze instalacji",
        "Czech": "Vítejte v průvodci instalací", "Slovak": "Vitajte v sprievodcovi inštaláciou",
        "Hungarian": "Üdvözli a telepítővarázsló",
        "Romanian": "Bun venit în expertul de instalare",
        "Russian": "Вас приветствует мастер установки",
        "Ukrainian": "Ласкаво просимо до майстра встановлення",
        "Greek": "Καλώς ήρθατε στον οδηγό εγκατάστασης",
        "Turkish": "Kurulum sihirbazına hoş geldiniz",
        "Arabic": "مرحبًا بك في معالج الإعداد", "Hebrew": "ברוכים הבאים לאשף ההתקנה",
        "Thai": "ยินดีต้อนรับสู่ตัวช่วยการติดตั้ง",
        "Japanese": "セットアップ ウィザードへようこそ", "Korean": "설치 마법사를 시작합니다",
        "Vietnamese": "Chào mừng bạn đến với trình cài đặt",
        "Indonesian": "Selamat datang di wisaya penyiapan",
        "Catalan": "Benvingut a l'auxiliar d'instal·lació",
        "Croatian": "Dobro došli u čarobnjak za instalaciju",
        "Bulgarian": "Добре дошли в съветника за инсталиране",
        "Slovenian": "Dobrodošli v čarovniku za namestitev",
        "Estonian": "Tere tulemast installiviisardisse"
    },
}
