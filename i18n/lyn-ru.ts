<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>ActionClose</name>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
</context>
<context>
    <name>AdditionlSettings</name>
    <message>
        <source>Failed to read the parameters</source>
        <translation>Не удалось прочитать параметры</translation>
    </message>
    <message>
        <source>Failed to save the parameters</source>
        <translation>Не удалось сохранить параметры</translation>
    </message>
    <message>
        <source>Parameters: %1</source>
        <translation>Параметры: %1</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Left %1%, top %2%, width %3%, height %4%</source>
        <translation>Слева %1%, сверху %2%, ширина %3%, высота %4%</translation>
    </message>
    <message>
        <source>Whole picture</source>
        <translation>Весь кадр</translation>
    </message>
    <message>
        <source>The stored region was not valid; editing starts from the whole picture.</source>
        <translation>Сохранённая область недопустима; редактирование начинается со всего кадра.</translation>
    </message>
</context>
<context>
    <name>Archive</name>
    <message>
        <source>Event</source>
        <translation>Событие</translation>
    </message>
    <message>
        <source>Click a time line to play the recording</source>
        <translation>Щёлкните по шкале времени, чтобы воспроизвести запись</translation>
    </message>
</context>
<context>
    <name>ArchiveToolBar</name>
    <message>
        <source>Back 10 seconds</source>
        <translation>Назад на 10 секунд</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Воспроизвести</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Forward 10 seconds</source>
        <translation>Вперёд на 10 секунд</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Скорость</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Уменьшить масштаб</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Увеличить масштаб</translation>
    </message>
</context>
<context>
    <name>ButtonExit</name>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
</context>
<context>
    <name>ButtonHelp</name>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
</context>
<context>
    <name>CameraPreviewPanel</name>
    <message>
        <source>No live picture</source>
        <translation>Нет изображения</translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation>Подключение…</translation>
    </message>
</context>
<context>
    <name>CustomImageRoiCrop</name>
    <message>
        <source>No live picture</source>
        <translation>Нет изображения</translation>
    </message>
    <message>
        <source>Connecting…</source>
        <translation>Подключение…</translation>
    </message>
</context>
<context>
    <name>Desktop</name>
    <message>
        <source>Events</source>
        <translation>События</translation>
    </message>
</context>
<context>
    <name>DesktopToolBar</name>
    <message>
        <source>1 tile</source>
        <translation>1 плитка</translation>
    </message>
    <message>
        <source>4 tiles</source>
        <translation>4 плитки</translation>
    </message>
    <message>
        <source>9 tiles</source>
        <translation>9 плиток</translation>
    </message>
    <message>
        <source>16 tiles</source>
        <translation>16 плиток</translation>
    </message>
    <message>
        <source>32 tiles</source>
        <translation>32 плитки</translation>
    </message>
    <message>
        <source>25 tiles</source>
        <translation>25 плиток</translation>
    </message>
    <message>
        <source>36 tiles</source>
        <translation>36 плиток</translation>
    </message>
    <message>
        <source>64 tiles</source>
        <translation>64 плитки</translation>
    </message>
    <message>
        <source>Day of the events</source>
        <translation>День событий</translation>
    </message>
    <message>
        <source>All days</source>
        <translation>Все дни</translation>
    </message>
    <message>
        <source>One big tile</source>
        <translation>Одна большая плитка</translation>
    </message>
</context>
<context>
    <name>DetachedTileWindow</name>
    <message>
        <source>Offline</source>
        <translation>Не в сети</translation>
    </message>
</context>
<context>
    <name>DetectorPanel</name>
    <message>
        <source>Process of detecting a change in the position of an object relative to its surroundings</source>
        <translation>Обнаружение изменения положения объекта относительно окружающей обстановки</translation>
    </message>
    <message>
        <source>Technology capable of identifying or verifying a person from a digital image or a video frame from a video source</source>
        <translation>Технология, позволяющая опознать человека или подтвердить его личность по цифровому изображению или кадру из видеоисточника</translation>
    </message>
    <message>
        <source>Detecting instances of semantic objects of a certain class (such as humans, buildings, or cars) in digital images</source>
        <translation>Обнаружение на цифровых изображениях объектов определённого класса (например, людей, зданий или автомобилей)</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>ВКЛ</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>ВЫКЛ</translation>
    </message>
</context>
<context>
    <name>DeviceDetectionForm</name>
    <message>
        <source>The server did not switch the module</source>
        <translation>Сервер не переключил модуль</translation>
    </message>
    <message>
        <source>Save the device first to choose its detectors.</source>
        <translation>Чтобы выбрать детекторы, сначала сохраните устройство.</translation>
    </message>
</context>
<context>
    <name>DeviceEditor</name>
    <message>
        <source>New device</source>
        <translation>Новое устройство</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>Failed to add</source>
        <translation>Не удалось добавить</translation>
    </message>
    <message>
        <source>Failed to update</source>
        <translation>Не удалось изменить</translation>
    </message>
    <message>
        <source>Failed to add: %1</source>
        <translation>Не удалось добавить: %1</translation>
    </message>
    <message>
        <source>Failed to update: %1</source>
        <translation>Не удалось изменить: %1</translation>
    </message>
</context>
<context>
    <name>DeviceEditorBase</name>
    <message>
        <source>Device</source>
        <translation>Устройство</translation>
    </message>
    <message>
        <source>Detection</source>
        <translation>Обнаружение</translation>
    </message>
</context>
<context>
    <name>DeviceEssentialsForm</name>
    <message>
        <source>No camera answers at this address</source>
        <translation>По этому адресу камера не отвечает</translation>
    </message>
    <message>
        <source>Device name</source>
        <translation>Название устройства</translation>
    </message>
    <message>
        <source>Front door</source>
        <translation>Входная дверь</translation>
    </message>
    <message>
        <source>Device type</source>
        <translation>Тип устройства</translation>
    </message>
    <message>
        <source>Source address</source>
        <translation>Адрес источника</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Найти</translation>
    </message>
</context>
<context>
    <name>DevicePasswordEditor</name>
    <message>
        <source>New password</source>
        <translation>Новый пароль</translation>
    </message>
    <message>
        <source>Device password</source>
        <translation>Пароль устройства</translation>
    </message>
</context>
<context>
    <name>DevicePasswordEssentialsForm</name>
    <message>
        <source>Enter the login</source>
        <translation>Введите логин</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Логин</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
</context>
<context>
    <name>DevicePasswordTable</name>
    <message>
        <source>Delete error</source>
        <translation>Ошибка удаления</translation>
    </message>
    <message>
        <source>Failed to delete</source>
        <translation>Не удалось удалить</translation>
    </message>
    <message>
        <source>Device passwords</source>
        <translation>Пароли устройств</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Логин</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
</context>
<context>
    <name>DevicePasswordToolBar</name>
    <message>
        <source>Back to devices</source>
        <translation>Назад к устройствам</translation>
    </message>
</context>
<context>
    <name>DeviceSource</name>
    <message>
        <source>Enter the source address</source>
        <translation>Введите адрес источника</translation>
    </message>
    <message>
        <source>The source address has no scheme, such as rtsp://</source>
        <translation>В адресе источника не указана схема, например rtsp://</translation>
    </message>
    <message>
        <source>The source address has no IP address</source>
        <translation>В адресе источника не указан IP-адрес</translation>
    </message>
</context>
<context>
    <name>DeviceTable</name>
    <message>
        <source>Devices</source>
        <translation>Устройства</translation>
    </message>
    <message>
        <source>Delete error</source>
        <translation>Ошибка удаления</translation>
    </message>
    <message>
        <source>Failed to delete</source>
        <translation>Не удалось удалить</translation>
    </message>
    <message>
        <source>Delete device</source>
        <translation>Удаление устройства</translation>
    </message>
    <message>
        <source>Delete selected device?</source>
        <translation>Удалить выбранное устройство?</translation>
    </message>
    <message>
        <source>Device name</source>
        <translation>Название устройства</translation>
    </message>
    <message>
        <source>Source address</source>
        <translation>Адрес источника</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
</context>
<context>
    <name>DevicesToolBar</name>
    <message>
        <source>Search devices</source>
        <translation>Поиск устройств</translation>
    </message>
    <message>
        <source>Device passwords</source>
        <translation>Пароли устройств</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Столбцы</translation>
    </message>
</context>
<context>
    <name>EventsTable</name>
    <message>
        <source>Events filter</source>
        <translation>Фильтр событий</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Обновить</translation>
    </message>
    <message>
        <source>Back to the desktop</source>
        <translation>Вернуть на рабочий стол</translation>
    </message>
    <message>
        <source>Open in its own window</source>
        <translation>Открыть в отдельном окне</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>События</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Detected</source>
        <translation>Обнаружено</translation>
    </message>
    <message>
        <source>Device name</source>
        <translation>Название устройства</translation>
    </message>
</context>
<context>
    <name>ExternalArchivePlayer</name>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Воспроизвести</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Загрузка...</translation>
    </message>
</context>
<context>
    <name>FilterEditor</name>
    <message>
        <source>Events filter</source>
        <translation>Фильтр событий</translation>
    </message>
</context>
<context>
    <name>FilterEssentialsForm</name>
    <message>
        <source>Show the events of these devices (none checked: all devices)</source>
        <translation>Показывать события этих устройств (если ни одно не отмечено — всех устройств)</translation>
    </message>
</context>
<context>
    <name>GeneralEditor</name>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>Saved. Restart the application to use the new server settings.</source>
        <translation>Сохранено. Перезапустите приложение, чтобы применить новые настройки сервера.</translation>
    </message>
</context>
<context>
    <name>GeneralEssentials</name>
    <message>
        <source>The server address must be a host name or an IP address.</source>
        <translation>Адрес сервера должен быть именем хоста или IP-адресом.</translation>
    </message>
    <message>
        <source>The server port must be a number from 1 to 65535.</source>
        <translation>Порт сервера должен быть числом от 1 до 65535.</translation>
    </message>
    <message>
        <source>Video server</source>
        <translation>Видеосервер</translation>
    </message>
    <message>
        <source>Connection type</source>
        <translation>Тип подключения</translation>
    </message>
    <message>
        <source>Direct</source>
        <translation>Напрямую</translation>
    </message>
    <message>
        <source>Through the P2P server</source>
        <translation>Через P2P-сервер</translation>
    </message>
    <message>
        <source>Server ID</source>
        <translation>ID сервера</translation>
    </message>
    <message>
        <source>Server address</source>
        <translation>Адрес сервера</translation>
    </message>
    <message>
        <source>Enter a host name or an IP address</source>
        <translation>Введите имя хоста или IP-адрес</translation>
    </message>
    <message>
        <source>Server port</source>
        <translation>Порт сервера</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>* After the settings was changed you need to restart app!</source>
        <translation>* После изменения настроек необходимо перезапустить приложение!</translation>
    </message>
    <message>
        <source>Common</source>
        <translation>Общее</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Английский</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>Русский</translation>
    </message>
    <message>
        <source>Video file path</source>
        <translation>Папка видеофайлов</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
</context>
<context>
    <name>LYNCommon::Utils</name>
    <message>
        <source>yesterday, </source>
        <translation>вчера, </translation>
    </message>
    <message>
        <source>tomorrow, </source>
        <translation>завтра, </translation>
    </message>
</context>
<context>
    <name>LiveStream</name>
    <message>
        <source>Connecting…</source>
        <translation>Подключение…</translation>
    </message>
    <message>
        <source>No signal for %1 s</source>
        <translation>Нет сигнала %1 с</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Не в сети</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Остановлено</translation>
    </message>
    <message>
        <source>Remote camera unreachable</source>
        <translation>Удалённая камера недоступна</translation>
    </message>
</context>
<context>
    <name>LynClientController::DeviceTypeController</name>
    <message>
        <source>IP camera</source>
        <translation>IP-камера</translation>
    </message>
    <message>
        <source>USB Camera</source>
        <translation>USB-камера</translation>
    </message>
    <message>
        <source>Screen</source>
        <translation>Экран</translation>
    </message>
</context>
<context>
    <name>LynClientController::MainSiteApiController</name>
    <message>
        <source>Site respond with failed format</source>
        <translation>Сайт ответил в неверном формате</translation>
    </message>
</context>
<context>
    <name>LynClientController::PrivateYoutubeTypeController</name>
    <message>
        <source>unlisted</source>
        <translation>По ссылке</translation>
    </message>
    <message>
        <source>Public</source>
        <translation>Открытый доступ</translation>
    </message>
    <message>
        <source>Private</source>
        <translation>Ограниченный доступ</translation>
    </message>
</context>
<context>
    <name>LynClientController::YoutubeApiController</name>
    <message>
        <source>Youtube respond with failed format</source>
        <translation>YouTube ответил в неверном формате</translation>
    </message>
    <message>
        <source>Youtube API response contains error</source>
        <translation>Ответ YouTube API содержит ошибку</translation>
    </message>
</context>
<context>
    <name>LynDialogButtonBox</name>
    <message>
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>LynEditor</name>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
</context>
<context>
    <name>LynFilterTextField</name>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
</context>
<context>
    <name>LynFooter</name>
    <message>
        <source>Connection state is</source>
        <translation>Состояние подключения:</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Подключено</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Нет подключения</translation>
    </message>
</context>
<context>
    <name>LynForm</name>
    <message>
        <source>Check the form</source>
        <translation>Проверьте форму</translation>
    </message>
    <message>
        <source>Add error</source>
        <translation>Ошибка добавления</translation>
    </message>
    <message>
        <source>Update error</source>
        <translation>Ошибка изменения</translation>
    </message>
    <message>
        <source>Failed to add</source>
        <translation>Не удалось добавить</translation>
    </message>
    <message>
        <source>Failed to update</source>
        <translation>Не удалось изменить</translation>
    </message>
</context>
<context>
    <name>LynLabeledSlider</name>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
</context>
<context>
    <name>LynMediaPlayer</name>
    <message>
        <source>%1 %2%</source>
        <translation>%1 %2%</translation>
    </message>
    <message>
        <source>%1x%2 %3 fps</source>
        <translation>%1×%2 %3 кадр/с</translation>
    </message>
</context>
<context>
    <name>LynNetworkGuard</name>
    <message>
        <source>Network error</source>
        <translation>Ошибка сети</translation>
    </message>
    <message>
        <source>Connection is lost. Try again later...</source>
        <translation>Соединение потеряно. Повторите попытку позже...</translation>
    </message>
</context>
<context>
    <name>LynTable</name>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Delete selected record?</source>
        <translation>Удалить выбранную запись?</translation>
    </message>
</context>
<context>
    <name>LynTableContainer</name>
    <message>
        <source>Records: %1</source>
        <translation>Записей: %1</translation>
    </message>
</context>
<context>
    <name>LynTableToolBar</name>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Обновить</translation>
    </message>
</context>
<context>
    <name>LynTableViewColumnFuzzyTime</name>
    <message>
        <source>just now</source>
        <translation>только что</translation>
    </message>
    <message>
        <source>%1 min ago</source>
        <translation>%1 мин назад</translation>
    </message>
    <message>
        <source>today %1</source>
        <translation>сегодня %1</translation>
    </message>
    <message>
        <source>yesterday %1</source>
        <translation>вчера %1</translation>
    </message>
</context>
<context>
    <name>LynTableViewColumnId</name>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
</context>
<context>
    <name>LynTableViewColumnYesNo</name>
    <message>
        <source>Yes</source>
        <translation>Да</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Нет</translation>
    </message>
</context>
<context>
    <name>LynTableViewSearchDeviceStateDelegate</name>
    <message>
        <source>Answered</source>
        <translation>Отвечает</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Не отвечает</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>Video surveillance</source>
        <translation>Видеонаблюдение</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Video surveillance desktop client.
Built on %1 with Qt %2.</source>
        <translation>Настольный клиент видеонаблюдения.
Собран %1 с Qt %2.</translation>
    </message>
</context>
<context>
    <name>MainMenuBar</name>
    <message>
        <source>Menu</source>
        <translation>Меню</translation>
    </message>
    <message>
        <source>Desktop</source>
        <translation>Рабочий стол</translation>
    </message>
    <message>
        <source>Events</source>
        <translation>События</translation>
    </message>
    <message>
        <source>Tile grid</source>
        <translation>Сетка плиток</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Устройства</translation>
    </message>
    <message>
        <source>Archive</source>
        <translation>Архив</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Online access</source>
        <translation>Онлайн-доступ</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
</context>
<context>
    <name>MainTabBar</name>
    <message>
        <source>Desktop</source>
        <translation>Рабочий стол</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Устройства</translation>
    </message>
    <message>
        <source>Archive</source>
        <translation>Архив</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
</context>
<context>
    <name>ModelBase</name>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Update time</source>
        <translation>Время изменения</translation>
    </message>
    <message>
        <source>Insert time</source>
        <translation>Время добавления</translation>
    </message>
    <message>
        <source>Locked by</source>
        <translation>Заблокировано</translation>
    </message>
</context>
<context>
    <name>NavigationBar</name>
    <message>
        <source>Previous month</source>
        <translation>Предыдущий месяц</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Следующий месяц</translation>
    </message>
</context>
<context>
    <name>OAth2SignInFrame</name>
    <message>
        <source>YouTube sign in</source>
        <translation>Вход в YouTube</translation>
    </message>
    <message>
        <source>The sign-in service refused the code (%1)</source>
        <translation>Служба входа отклонила код (%1)</translation>
    </message>
    <message>
        <source>The sign-in page gave no code</source>
        <translation>Страница входа не вернула код</translation>
    </message>
    <message>
        <source>The sign-in page did not load: %1</source>
        <translation>Страница входа не загрузилась: %1</translation>
    </message>
</context>
<context>
    <name>OnlineAccessEditor</name>
    <message>
        <source>Online access</source>
        <translation>Онлайн-доступ</translation>
    </message>
    <message>
        <source>The service refused the sign-in</source>
        <translation>Служба отказала во входе</translation>
    </message>
    <message>
        <source>Accounts are created on the service&apos;s web site. Create one there, then sign in here with its e-mail and password.</source>
        <translation>Учётные записи создаются на сайте службы. Создайте её там, затем войдите здесь с её адресом электронной почты и паролем.</translation>
    </message>
    <message>
        <source>Back to sign in</source>
        <translation>Вернуться ко входу</translation>
    </message>
</context>
<context>
    <name>OnlineAccessSignIn</name>
    <message>
        <source>Enter the e-mail and the password</source>
        <translation>Введите адрес электронной почты и пароль</translation>
    </message>
    <message>
        <source>Enable online access</source>
        <translation>Включить онлайн-доступ</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>Эл. почта</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Mask password</source>
        <translation>Скрывать пароль</translation>
    </message>
    <message>
        <source>Create an account</source>
        <translation>Создать учётную запись</translation>
    </message>
    <message>
        <source>Signing in...</source>
        <translation>Вход...</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Войти</translation>
    </message>
</context>
<context>
    <name>OnlineAccessSignOut</name>
    <message>
        <source>Signed in as %1</source>
        <translation>Вход выполнен: %1</translation>
    </message>
    <message>
        <source>Enable online access</source>
        <translation>Включить онлайн-доступ</translation>
    </message>
    <message>
        <source>Sign out</source>
        <translation>Выйти</translation>
    </message>
</context>
<context>
    <name>SearchDeviceEditor</name>
    <message>
        <source>Found camera</source>
        <translation>Найденная камера</translation>
    </message>
    <message>
        <source>Device name</source>
        <translation>Название устройства</translation>
    </message>
    <message>
        <source>Source address</source>
        <translation>Адрес источника</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Логин</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
</context>
<context>
    <name>SearchDeviceTable</name>
    <message>
        <source>Search error</source>
        <translation>Ошибка поиска</translation>
    </message>
    <message>
        <source>Add error</source>
        <translation>Ошибка добавления</translation>
    </message>
    <message>
        <source>Failed to add</source>
        <translation>Не удалось добавить</translation>
    </message>
    <message>
        <source>Device search</source>
        <translation>Поиск устройств</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>IP-адрес</translation>
    </message>
    <message>
        <source>Device name</source>
        <translation>Название устройства</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Логин</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Снимок</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Новое</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
</context>
<context>
    <name>SearchToolBar</name>
    <message>
        <source>Not searched yet</source>
        <translation>Поиск ещё не выполнялся</translation>
    </message>
    <message>
        <source>Searching…</source>
        <translation>Идёт поиск…</translation>
    </message>
    <message>
        <source>Search finished</source>
        <translation>Поиск завершён</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Остановка…</translation>
    </message>
    <message>
        <source>Search stopped</source>
        <translation>Поиск остановлен</translation>
    </message>
    <message>
        <source>Back to devices</source>
        <translation>Назад к устройствам</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Начать поиск</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Остановить</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>YouTube</source>
        <translation>YouTube</translation>
    </message>
    <message>
        <source>Telegram</source>
        <translation>Telegram</translation>
    </message>
</context>
<context>
    <name>TelegramEditor</name>
    <message>
        <source>Telegram</source>
        <translation>Telegram</translation>
    </message>
    <message>
        <source>The server refused the change</source>
        <translation>Сервер отклонил изменение</translation>
    </message>
</context>
<context>
    <name>TelegramEssentialsForm</name>
    <message>
        <source>Enter the phone number with its country code.</source>
        <translation>Введите номер телефона с кодом страны.</translation>
    </message>
    <message>
        <source>Telegram account</source>
        <translation>Учётная запись Telegram</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>Телефон</translation>
    </message>
    <message>
        <source>Send code</source>
        <translation>Отправить код</translation>
    </message>
    <message>
        <source>Confirmation code: %1</source>
        <translation>Код подтверждения: %1</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>Код</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Подтвердить</translation>
    </message>
    <message>
        <source>The account is linked</source>
        <translation>Учётная запись привязана</translation>
    </message>
    <message>
        <source>Unlink</source>
        <translation>Отвязать</translation>
    </message>
    <message>
        <source>Notifications</source>
        <translation>Уведомления</translation>
    </message>
    <message>
        <source>Send notifications</source>
        <translation>Отправлять уведомления</translation>
    </message>
    <message>
        <source>Group name</source>
        <translation>Название группы</translation>
    </message>
</context>
<context>
    <name>Tile</name>
    <message>
        <source>Offline</source>
        <translation>Не в сети</translation>
    </message>
    <message>
        <source>Shown in its own window</source>
        <translation>Показано в отдельном окне</translation>
    </message>
    <message>
        <source>Remote</source>
        <translation>Удалённая</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Повторить</translation>
    </message>
</context>
<context>
    <name>TileInteraction</name>
    <message>
        <source>Back to the grid</source>
        <translation>Вернуть в сетку</translation>
    </message>
    <message>
        <source>Open in its own window</source>
        <translation>Открыть в отдельном окне</translation>
    </message>
</context>
<context>
    <name>VideoFolderDialog</name>
    <message>
        <source>Up</source>
        <translation>Вверх</translation>
    </message>
    <message>
        <source>Choose</source>
        <translation>Выбрать</translation>
    </message>
</context>
<context>
    <name>YouTubeEditor</name>
    <message>
        <source>YouTube</source>
        <translation>YouTube</translation>
    </message>
    <message>
        <source>Undefined channel</source>
        <translation>Канал не определён</translation>
    </message>
</context>
<context>
    <name>YouTubeEssentials</name>
    <message>
        <source>Select the device to stream.</source>
        <translation>Выберите устройство для трансляции.</translation>
    </message>
    <message>
        <source>The stream key must not contain slashes or spaces.</source>
        <translation>Ключ трансляции не должен содержать косых черт и пробелов.</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Учётная запись</translation>
    </message>
    <message>
        <source>Channel name</source>
        <translation>Название канала</translation>
    </message>
    <message>
        <source>No account is linked</source>
        <translation>Учётная запись не привязана</translation>
    </message>
    <message>
        <source>Link to your YouTube account</source>
        <translation>Привязать учётную запись YouTube</translation>
    </message>
    <message>
        <source>Unlink YouTube account</source>
        <translation>Отвязать учётную запись YouTube</translation>
    </message>
    <message>
        <source>Upload events on YouTube</source>
        <translation>Загружать события на YouTube</translation>
    </message>
    <message>
        <source>Privacy type</source>
        <translation>Тип доступа</translation>
    </message>
    <message>
        <source>Live stream</source>
        <translation>Прямая трансляция</translation>
    </message>
    <message>
        <source>Stream selected device on YouTube channel</source>
        <translation>Транслировать выбранное устройство на канал YouTube</translation>
    </message>
    <message>
        <source>Select device</source>
        <translation>Выберите устройство</translation>
    </message>
    <message>
        <source>Make stream only on event</source>
        <translation>Транслировать только при событии</translation>
    </message>
    <message>
        <source>Server URL</source>
        <translation>URL сервера</translation>
    </message>
    <message>
        <source>Stream key</source>
        <translation>Ключ трансляции</translation>
    </message>
</context>
<context>
    <name>YoutubeAccount</name>
    <message>
        <source>The server refused the change</source>
        <translation>Сервер отклонил изменение</translation>
    </message>
    <message>
        <source>The channel of this account was not found</source>
        <translation>Канал этой учётной записи не найден</translation>
    </message>
</context>
</TS>
