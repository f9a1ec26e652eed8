// The tables are defined in this one file so that they are built in this
// order at static initialisation, and destroyed in reverse at exit. Within
// each table the entries follow the language index: English, French, German,
// Spanish, Italian, Dutch, Russian, Portuguese, Simplified Chinese,
// Traditional Chinese, Korean, Japanese.

#include "LanguageTables.h"

namespace
{
// The literals are UTF-8; juce::String takes a plain char* as ASCII only.
juce::String utf8(const char* text)
{
    return juce::String::fromUTF8(text);
}
} // namespace

const juce::String winFontNames[languageCount] = {
    "Verdana", "Verdana", "Verdana", "Verdana", "Verdana", "Verdana", "Verdana", "Verdana",
    "Microsoft YaHei", "Microsoft JhengHei", "Malgun Gothic", "MS PGothic",
};

const juce::String macFontNames[languageCount] = {
    "Verdana", "Verdana", "Verdana", "Verdana", "Verdana", "Verdana", "Geneva CY", "Verdana",
    "Heiti SC", "Heiti TC", "Apple SD Gothic Neo", "Hiragino Sans W5",
};

const juce::String languageNames[languageCount] = {
    "English", utf8("Français"), "Deutsch", utf8("Español"), "Italiano", "Nederlands",
    utf8("Русский"), utf8("Português"), utf8("简体中文"), utf8("繁體中文"), utf8("한국어"),
    utf8("日本語"),
};

const juce::String blankTexts[languageCount] = {};

const juce::String seriesTexts[languageCount] = {
    "VXQ", "VXQ", "VXQ", "VXQ", "VXQ", "VXQ", "VXQ", "VXQ", "VXQ", "VXQ", "VXQ", "VXQ",
};

const juce::String modelTexts[languageCount] = {
    "VXQ-MRT6", "VXQ-MRT6", "VXQ-MRT6", "VXQ-MRT6", "VXQ-MRT6", "VXQ-MRT6",
    "VXQ-MRT6", "VXQ-MRT6", "VXQ-MRT6", "VXQ-MRT6", "VXQ-MRT6", "VXQ-MRT6",
};

const juce::String titleTexts[languageCount] = {
    "Updater Program",
    utf8("Programme de mise à jour"),
    "Aktualisierungsprogramm",
    utf8("Programa de actualización"),
    "Programma di aggiornamento",
    "Updateprogramma",
    utf8("Программа обновления"),
    utf8("Programa de actualização"),
    utf8("更新程序"),
    utf8("更新程式"),
    utf8("업데이트 프로그램"),
    utf8("更新プログラム"),
};

const juce::String okTexts[languageCount] = {
    "OK", "OK", "OK", "Aceptar", "OK", "Akkoord", utf8("ОК"), "OK", utf8("确定"), utf8("確定"), "OK", "OK",
};

const juce::String startTexts[languageCount] = {
    "Start", utf8("Démarrer"), "Start", "Iniciar", "Start", "Beginnen", utf8("Запустить"), "Iniciar",
    utf8("开始"), utf8("開始"), utf8("시작"), utf8("開始"),
};

const juce::String cancelTexts[languageCount] = {
    "Cancel", "Annuler", "Abbrechen", "Cancelar", "Annulla", "Annuleren", utf8("Отменить"), "Cancelar",
    utf8("取消"), utf8("取消"), utf8("취소"), utf8("キャンセル"),
};

const juce::String closeTexts[languageCount] = {
    "Close", "Fermer", utf8("Schließen"), "Cerrar", "Chiudi", "Sluiten", utf8("Закрыть"), "Fechar",
    utf8("关闭"), utf8("關閉"), utf8("닫기"), utf8("終了"),
};

const juce::String languageSelectTitleTexts[languageCount] = {
    "Language Selections",
    utf8("Sélection de la langue"),
    "Sprachauswahl",
    utf8("Selección de idioma"),
    "Selezione della lingua",
    "Taalkeuze",
    utf8("Выбор языка"),
    utf8("Selecção de idioma"),
    utf8("语言选择"),
    utf8("語言選擇"),
    utf8("언어 선택"),
    utf8("言語の選択"),
};

const juce::String languageSelectPromptTexts[languageCount] = {
    "Please select a language.",
    utf8("Veuillez sélectionner une langue."),
    utf8("Bitte wählen Sie eine Sprache aus."),
    "Seleccione un idioma.",
    "Selezionare una lingua.",
    "Selecteer een taal.",
    utf8("Выберите язык."),
    "Seleccione um idioma.",
    utf8("请选择语言。"),
    utf8("請選擇語言。"),
    utf8("언어를 선택하십시오."),
    utf8("言語を選択してください。"),
};

const juce::String fileErrorTexts[languageCount] = {
    "There is an error in the update file.",
    utf8("Le fichier de mise à jour contient une erreur."),
    utf8("Die Aktualisierungsdatei enthält einen Fehler."),
    utf8("El archivo de actualización contiene un error."),
    "Il file di aggiornamento contiene un errore.",
    "Het updatebestand bevat een fout.",
    utf8("Файл обновления содержит ошибку."),
    utf8("O ficheiro de actualização contém um erro."),
    utf8("升级文件中有错误。"),
    utf8("更新檔案中有錯誤。"),
    utf8("업데이트 파일에 오류가 있습니다."),
    utf8("更新ファイルにエラーがあります。"),
};

const juce::String notConnectedTexts[languageCount] = {
    "Your %s is not connected.",
    utf8("Votre %s n'est pas connecté."),
    "Ihr %s ist nicht angeschlossen.",
    utf8("Su %s no está conectado."),
    utf8("Il %s non è collegato."),
    "Uw %s is niet aangesloten.",
    utf8("Ваш %s не подключен."),
    utf8("O seu %s não está ligado."),
    utf8("没有连接 %s。"),
    utf8("您的%s未連接。"),
    utf8("%s가 연결되어 있지 않습니다."),
    utf8("%sが接続されていません。"),
};

const juce::String updateIntroTexts[languageCount] = {
    "Updates the version of your %s firmware.",
    utf8("Met à jour la version du micrologiciel de votre %s."),
    "Aktualisiert die Firmware-Version Ihres %s.",
    utf8("Actualiza la versión del firmware de su %s."),
    "Aggiorna la versione del firmware del %s.",
    "Werkt de firmwareversie van uw %s bij.",
    utf8("Обновляет версию микропрограммы вашего %s."),
    utf8("Actualiza a versão do firmware do seu %s."),
    utf8("升级您的%s固件版本。"),
    utf8("更新您的%s韌體版本。"),
    utf8("%s 펌웨어 버전을 업데이트합니다."),
    utf8("%sのファームウェアのバージョンを更新します。"),
};

const juce::String currentVersionTexts[languageCount] = {
    "Current Version: Ver. %s.%02s",
    "Version actuelle: Ver. %s.%02s",
    utf8("Gegenwärtige Version: Ver. %s.%02s"),
    utf8("Versión actual: Ver. %s.%02s"),
    "Versione attualmente installata: %s.%02s",
    "Huidige versie: Ver. %s.%02s",
    utf8("Настоящая версия: Версия %s.%02s"),
    utf8("Versão actual: Ver. %s.%02s"),
    utf8("当前版本: Ver. %s.%02s"),
    utf8("目前版本: %s.%02s版"),
    utf8("현재 버전: Ver. %s.%02s"),
    utf8("現在のバージョン: Ver%s.%02s"),
};

const juce::String updateVersionTexts[languageCount] = {
    "Update Version: Ver. %s.%02s",
    utf8("Version de mise à jour: Ver. %s.%02s"),
    "Aktualisierte Version: Ver. %s.%02s",
    utf8("Versión de actualización: Ver. %s.%02s"),
    "Versione aggiornata: %s.%02s",
    "Versie na de update: Ver. %s.%02s",
    utf8("Обновленная версия: Версия %s.%02s"),
    utf8("Actualizar versão: Ver. %s.%02s"),
    utf8("升级版本: Ver. %s.%02s"),
    utf8("更新版本: %s.%02s版"),
    utf8("업데이트 버전: Ver. %s.%02s"),
    utf8("更新バージョン: Ver%s.%02s"),
};

const juce::String updatingTexts[languageCount] = {
    "Updating your %s firmware.",
    utf8("Mise à jour du micrologiciel de votre %s en cours."),
    "Die Firmware Ihres %s wird aktualisiert.",
    "Actualizando el firmware de su %s.",
    "Aggiornamento del firmware del %s in corso.",
    "De firmware van uw %swordt bijgewerkt.",
    utf8("Обновление микропрограммы вашего %s."),
    "Atualizando o firmware do seu% s.",
    utf8("正在升级您的%s固件。"),
    utf8("正在更新您的%s韌體。"),
    utf8("%s 펌웨어를 업데이트하는 중입니다."),
    utf8("%sのファームウェアを更新しています。"),
};

const juce::String pleaseWaitTexts[languageCount] = {
    "Please wait for a few moments until the update process is complete.",
    utf8("Veuillez patienter quelques instants jusqu'à la fin de la mise à jour."),
    "Bitte warten Sie einen Moment, bis die Aktualisierung abgeschlossen ist.",
    utf8("Espere unos instantes hasta que finalice el proceso de actualización."),
    "Attendere qualche istante fino al completamento dell'aggiornamento.",
    "Wacht even tot het updateproces is voltooid.",
    utf8("Подождите немного, пока процесс обновления не завершится."),
    utf8("Aguarde alguns instantes até que o processo de actualização esteja concluído."),
    utf8("请稍候片刻，直到升级过程完成。"),
    utf8("請稍候片刻，直到更新完成。"),
    utf8("업데이트가 완료될 때까지 잠시 기다려 주십시오."),
    utf8("更新が完了するまで、しばらくお待ちください。"),
};

const juce::String completeTexts[languageCount] = {
    "The update of your version of the %s firmware is now complete.",
    utf8("La mise à jour du micrologiciel de votre %s est terminée."),
    "Die Aktualisierung der Firmware Ihres %s ist abgeschlossen.",
    utf8("La actualización del firmware de su %s ha finalizado."),
    utf8("L'aggiornamento del firmware del %s è stato completato."),
    "De firmware-update van uw %s is voltooid.",
    utf8("Обновление микропрограммы вашего %s завершено."),
    utf8("A versão foi actualizada."),
    utf8("您的%s固件已升级完成。"),
    utf8("您的%s韌體已更新完成。"),
    utf8("버전 업데이트 되었습니다."),
    utf8("%sのファームウェアの更新が完了しました。"),
};

const juce::String failedTexts[languageCount] = {
    "Failed to update the firmware.",
    utf8("Échec de la mise à jour du micrologiciel."),
    "Die Firmware konnte nicht aktualisiert werden.",
    "No se ha podido actualizar el firmware.",
    "Impossibile aggiornare il firmware.",
    "Het bijwerken van de firmware is mislukt.",
    utf8("Не удалось обновить микропрограмму."),
    utf8("Não foi possível actualizar o firmware."),
    utf8("固件升级失败。"),
    utf8("韌體更新失敗。"),
    utf8("펌웨어를 업데이트하지 못했습니다."),
    utf8("ファームウェアの更新に失敗しました。"),
};

const juce::String unitUnavailableTexts[languageCount] = {
    "This unit can't work temporarily.",
    "Cet appareil est temporairement indisponible.",
    utf8("Dieses Gerät kann vorübergehend nicht verwendet werden."),
    "Esta unidad no puede funcionar temporalmente.",
    utf8("Questa unità è temporaneamente inutilizzabile."),
    "Dit apparaat kan tijdelijk niet worden gebruikt.",
    utf8("Устройство временно не может работать."),
    utf8("Esta unidade não pode funcionar temporariamente."),
    utf8("本机暂时无法工作。"),
    utf8("本機暫時無法運作。"),
    utf8("이 기기는 일시적으로 작동할 수 없습니다."),
    utf8("本機は一時的に使用できません。"),
};

const juce::String retryIntroTexts[languageCount] = {
    "Please try the following procedure to start the firmware update again.",
    utf8("Veuillez suivre la procédure ci-dessous pour relancer la mise à jour du micrologiciel."),
    "Gehen Sie wie folgt vor, um die Firmware-Aktualisierung erneut zu starten.",
    utf8("Siga el procedimiento que se indica a continuación para volver a iniciar la actualización del firmware."),
    "Eseguire la procedura seguente per avviare di nuovo l'aggiornamento del firmware.",
    "Volg de onderstaande procedure om de firmware-update opnieuw te starten.",
    utf8("Чтобы снова запустить обновление микропрограммы, выполните следующие действия."),
    utf8("Siga o procedimento abaixo para iniciar novamente a actualização do firmware."),
    utf8("请按照以下步骤重新开始固件升级。"),
    utf8("請依照以下步驟重新開始韌體更新。"),
    utf8("다음 절차에 따라 펌웨어 업데이트를 다시 시작하십시오."),
    utf8("次の手順で、ファームウェアの更新をもう一度開始してください。"),
};

const juce::String retryStep1Texts[languageCount] = {
    "1. Click the Close button to close the Update Program.",
    utf8("1. Cliquez sur le bouton Fermer pour fermer le programme de mise à jour."),
    utf8("1. Klicken Sie auf „Schließen“, um das Aktualisierungsprogramm zu beenden."),
    utf8("1. Haga clic en el botón Cerrar para cerrar el programa de actualización."),
    "1. Fare clic sul pulsante Chiudi per chiudere il programma di aggiornamento.",
    "1. Klik op de knop Sluiten om het updateprogramma te sluiten.",
    utf8("1. Нажмите кнопку «Закрыть», чтобы закрыть программу обновления."),
    utf8("1. Clique no botão Fechar para fechar o programa de actualização."),
    utf8("1、单击关闭按钮关闭更新程序。"),
    utf8("1. 按一下關閉按鈕以關閉更新程式。"),
    utf8("1. 닫기 버튼을 클릭하여 업데이트 프로그램을 닫으십시오."),
    utf8("1. 終了ボタンをクリックして、更新プログラムを終了してください。"),
};

const juce::String retryStep2Texts[languageCount] = {
    "2. Disconnect the USB cable from the unit and reconnect it.",
    utf8("2. Débranchez le câble USB de l'appareil, puis rebranchez-le."),
    utf8("2. Trennen Sie das USB-Kabel vom Gerät und schließen Sie es wieder an."),
    "2. Desconecte el cable USB de la unidad y vuelva a conectarlo.",
    utf8("2. Scollegare il cavo USB dall'unità e ricollegarlo."),
    "2. Koppel de USB-kabel los van het apparaat en sluit deze opnieuw aan.",
    utf8("2. Отсоедините USB-кабель от устройства и снова подключите его."),
    utf8("2. Desligue o cabo USB da unidade e volte a ligá-lo."),
    utf8("2、从本机上拔下USB电缆，然后重新连接。"),
    utf8("2. 從本機拔下USB纜線，然後重新連接。"),
    utf8("2. 기기에서 USB 케이블을 분리한 후 다시 연결하십시오."),
    utf8("2. 本機からUSBケーブルを外し、もう一度接続してください。"),
};

const juce::String retryStep3ProgramTexts[languageCount] = {
    "3. double-click the VXQMRT6_UpdateProgram.exe to start the firmware update.",
    utf8("3. Double-cliquez sur VXQMRT6_UpdateProgram.exe pour lancer la mise à jour du micrologiciel."),
    "3. Doppelklicken Sie auf VXQMRT6_UpdateProgram.exe, um die Firmware-Aktualisierung zu starten.",
    utf8("3. Haga doble clic en VXQMRT6_UpdateProgram.exe para iniciar la actualización del firmware."),
    "3. Fare doppio clic su VXQMRT6_UpdateProgram.exe per avviare l'aggiornamento del firmware.",
    "3. Dubbelklik op VXQMRT6_UpdateProgram.exe om de firmware-update te starten.",
    utf8("3. Дважды щелкните VXQMRT6_UpdateProgram.exe, чтобы запустить обновление микропрограммы."),
    utf8("3. Faça duplo clique em VXQMRT6_UpdateProgram.exe para iniciar a actualização do firmware."),
    utf8("3、双击VXQMRT6_UpdateProgram.exe开始固件升级。"),
    utf8("3. 按兩下VXQMRT6_UpdateProgram.exe以開始韌體更新。"),
    utf8("3. VXQMRT6_UpdateProgram.exe를 더블 클릭하여 펌웨어 업데이트를 시작하십시오."),
    utf8("3. VXQMRT6_UpdateProgram.exeをダブルクリックして、ファームウェアの更新を開始してください。"),
};

const juce::String retryStep3PackageTexts[languageCount] = {
    "3. double-click the VXQ-MRT6_vXXX to start the firmware update.",
    utf8("3. Double-cliquez sur VXQ-MRT6_vXXX pour lancer la mise à jour du micrologiciel."),
    "3. Doppelklicken Sie auf VXQ-MRT6_vXXX, um die Firmware-Aktualisierung zu starten.",
    utf8("3. Haga doble clic en VXQ-MRT6_vXXX para iniciar la actualización del firmware."),
    "3. Fare doppio clic su VXQ-MRT6_vXXX per avviare l'aggiornamento del firmware.",
    "3. Dubbelklik op VXQ-MRT6_vXXX om de firmware-update te starten.",
    utf8("3. Дважды щелкните VXQ-MRT6_vXXX, чтобы запустить обновление микропрограммы."),
    utf8("3. Faça duplo clique em VXQ-MRT6_vXXX para iniciar a actualização do firmware."),
    utf8("3、双击VXQ-MRT6_vXXX开始固件升级。"),
    utf8("3. 按兩下VXQ-MRT6_vXXX以開始韌體更新。"),
    utf8("3. VXQ-MRT6_vXXX를 더블 클릭하여 펌웨어 업데이트를 시작하십시오."),
    utf8("3. VXQ-MRT6_vXXXをダブルクリックして、ファームウェアの更新を開始してください。"),
};

const juce::String* const messageTables[messageSlotCount] = {
    blankTexts, seriesTexts, modelTexts, titleTexts, okTexts, startTexts, cancelTexts, closeTexts,
    languageSelectTitleTexts, languageSelectPromptTexts, fileErrorTexts, notConnectedTexts,
    updateIntroTexts, currentVersionTexts, updateVersionTexts, updatingTexts, pleaseWaitTexts,
    completeTexts, failedTexts, unitUnavailableTexts, retryIntroTexts, retryStep1Texts,
    retryStep2Texts, retryStep3ProgramTexts, retryStep3PackageTexts,
};
