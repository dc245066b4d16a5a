<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="en">
<context>
    <name>AlertPlayer</name>
    <message>
        <source>Connected</source>
        <translation>已連線</translation>
    </message>
    <message>
        <source>The internet connection is up.</source>
        <translation>網際網路連線已建立。</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>已中斷連線</translation>
    </message>
    <message>
        <source>The internet connection has ended.</source>
        <translation>網際網路連線已結束。</translation>
    </message>
    <message>
        <source>New message</source>
        <translation>新簡訊</translation>
    </message>
    <message>
        <source>Data limit</source>
        <translation>數據用量上限</translation>
    </message>
    <message>
        <source>%1 % of this month&apos;s data limit is used.</source>
        <translation>本月數據用量已達上限的 %1 %。</translation>
    </message>
    <message>
        <source>Data limit reached</source>
        <translation>已達數據用量上限</translation>
    </message>
    <message>
        <source>This month&apos;s data limit is used up: the connection was ended.</source>
        <translation>本月數據用量已用完：連線已結束。</translation>
    </message>
    <message>
        <source>This month&apos;s data limit is used up.</source>
        <translation>本月數據用量已用完。</translation>
    </message>
    <message>
        <source>New message from %1</source>
        <translation>來自 %1 的新簡訊</translation>
    </message>
</context>
<context>
    <name>Backup</name>
    <message>
        <source>The backup file can&apos;t be read!</source>
        <translation>無法讀取備份檔案！</translation>
    </message>
    <message>
        <source>The file is not a backup of this program!</source>
        <translation>此檔案不是本程式的備份！</translation>
    </message>
    <message>
        <source>The backup was made by a newer version of this program and can&apos;t be used!</source>
        <translation>此備份由較新版本的程式建立，無法使用！</translation>
    </message>
    <message>
        <source>The backup file is damaged or incomplete!</source>
        <translation>備份檔案已損壞或不完整！</translation>
    </message>
    <message>
        <source>Backup failed! %1 can&apos;t be read.</source>
        <translation>備份失敗！無法讀取 %1。</translation>
    </message>
    <message>
        <source>Backup failed! The backup file can&apos;t be written.</source>
        <translation>備份失敗！無法寫入備份檔案。</translation>
    </message>
    <message>
        <source>Resume failed! Nothing was changed.</source>
        <translation>還原失敗！未做任何變更。</translation>
    </message>
</context>
<context>
    <name>CSearchContact</name>
    <message>
        <source>Select Recipients</source>
        <translation>選擇收件人</translation>
    </message>
    <message>
        <source>Phonebook:</source>
        <translation>電話簿：</translation>
    </message>
    <message>
        <source>Contact(s)</source>
        <translation>聯絡人</translation>
    </message>
    <message>
        <source>Selected contact(s)</source>
        <translation>已選聯絡人</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Add the checked contacts</source>
        <translation>加入勾選的聯絡人</translation>
    </message>
    <message>
        <source>Remove the checked contacts</source>
        <translation>移除勾選的聯絡人</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>電腦</translation>
    </message>
    <message>
        <source>SIM</source>
        <translation>SIM</translation>
    </message>
</context>
<context>
    <name>CSetting</name>
    <message>
        <source>Backup</source>
        <translation>備份</translation>
    </message>
    <message>
        <source>Backup files (*.dat)</source>
        <translation>備份檔案 (*.dat)</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>還原</translation>
    </message>
    <message>
        <source>The messages, contacts, connection records and settings on this PC will be replaced by those of the backup. Continue?</source>
        <translation>此電腦上的簡訊、聯絡人、連線設定檔與設定將被備份中的內容取代。是否繼續？</translation>
    </message>
    <message>
        <source>Backup successful!</source>
        <translation>備份成功！</translation>
    </message>
    <message>
        <source>Resume successful!</source>
        <translation>還原成功！</translation>
    </message>
    <message>
        <source>Settings successful!</source>
        <translation>設定成功！</translation>
    </message>
    <message>
        <source>Settings could not be saved!</source>
        <translation>無法儲存設定！</translation>
    </message>
    <message>
        <source>Choose a sound</source>
        <translation>選擇音效</translation>
    </message>
    <message>
        <source>Sounds (*.wav *.mp3 *.ogg *.oga *.flac *.mid *.wma);;All files (*)</source>
        <translation>音效 (*.wav *.mp3 *.ogg *.oga *.flac *.mid *.wma);;所有檔案 (*)</translation>
    </message>
    <message>
        <source>Please select a config file first!</source>
        <translation>請先選擇一個設定檔！</translation>
    </message>
    <message>
        <source>Are you sure to delete the selected item?</source>
        <translation>確定要刪除所選項目嗎？</translation>
    </message>
    <message>
        <source>Data load failed!</source>
        <translation>資料載入失敗！</translation>
    </message>
    <message>
        <source>View</source>
        <translation>檢視</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編輯</translation>
    </message>
    <message>
        <source>The file is the default config file, can&apos;t be deleted!</source>
        <translation>此為預設設定檔，無法刪除！</translation>
    </message>
    <message>
        <source>sorry,delete operation failed</source>
        <translation>抱歉，刪除失敗</translation>
    </message>
    <message>
        <source>Connection Settings</source>
        <translation>連線設定</translation>
    </message>
    <message>
        <source>Security Settings</source>
        <translation>安全設定</translation>
    </message>
    <message>
        <source>Network Settings</source>
        <translation>網路設定</translation>
    </message>
    <message>
        <source>Message Settings</source>
        <translation>簡訊設定</translation>
    </message>
    <message>
        <source>Alert Settings</source>
        <translation>提示設定</translation>
    </message>
    <message>
        <source>Default Connection</source>
        <translation>預設連線</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Set Default</source>
        <translation>設為預設</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN 碼</translation>
    </message>
    <message>
        <source>PIN Enable</source>
        <translation>啟用 PIN 碼</translation>
    </message>
    <message>
        <source>Revise PIN</source>
        <translation>變更 PIN 碼</translation>
    </message>
    <message>
        <source>Backup PhoneBook,Internet connection records and SMS</source>
        <translation>備份電話簿、網路連線設定檔與簡訊</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>套用</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Network Selection</source>
        <translation>網路選擇</translation>
    </message>
    <message>
        <source>Automatically</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手動</translation>
    </message>
    <message>
        <source>Search for the networks and choose one</source>
        <translation>搜尋網路並選擇其一</translation>
    </message>
    <message>
        <source>Mode preference</source>
        <translation>模式偏好</translation>
    </message>
    <message>
        <source>UMTS preferred</source>
        <translation>UMTS 優先</translation>
    </message>
    <message>
        <source>GPRS/EDGE preferred</source>
        <translation>GPRS/EDGE 優先</translation>
    </message>
    <message>
        <source>UMTS Only</source>
        <translation>僅 UMTS</translation>
    </message>
    <message>
        <source>GPRS/EDGE Only</source>
        <translation>僅 GPRS/EDGE</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>4G only</source>
        <translation>僅 4G</translation>
    </message>
    <message>
        <source>4G preferred</source>
        <translation>4G 優先</translation>
    </message>
    <message>
        <source>3G only</source>
        <translation>僅 3G</translation>
    </message>
    <message>
        <source>2G only</source>
        <translation>僅 2G</translation>
    </message>
    <message>
        <source>Message Center</source>
        <translation>簡訊中心</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>預設</translation>
    </message>
    <message>
        <source>(U)SIM Card</source>
        <translation>(U)SIM 卡</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>電腦</translation>
    </message>
    <message>
        <source>Location of Saving New SMS</source>
        <translation>新簡訊儲存位置</translation>
    </message>
    <message>
        <source>12 hours</source>
        <translation>12 小時</translation>
    </message>
    <message>
        <source>A day</source>
        <translation>1 天</translation>
    </message>
    <message>
        <source>A week</source>
        <translation>1 週</translation>
    </message>
    <message>
        <source>The longest period</source>
        <translation>最長期限</translation>
    </message>
    <message>
        <source>Validity Period</source>
        <translation>有效期限</translation>
    </message>
    <message>
        <source>Delivery Report</source>
        <translation>傳送報告</translation>
    </message>
    <message>
        <source>Turn ON</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>Turn Off</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Connect alert</source>
        <translation>連線提示音</translation>
    </message>
    <message>
        <source>Disconnect alert</source>
        <translation>中斷連線提示音</translation>
    </message>
    <message>
        <source>Incoming SMS alert</source>
        <translation>新簡訊提示音</translation>
    </message>
    <message>
        <source>Sound file</source>
        <translation>音效檔</translation>
    </message>
    <message>
        <source>Browser...</source>
        <translation>瀏覽...</translation>
    </message>
    <message>
        <source>Show these events as desktop notifications</source>
        <translation>以桌面通知顯示這些事件</translation>
    </message>
    <message>
        <source>Keep running in the tray when the window is closed</source>
        <translation>關閉視窗時在系統匣中繼續執行</translation>
    </message>
    <message>
        <source>Monthly data limit</source>
        <translation>每月數據用量上限</translation>
    </message>
    <message>
        <source> MB</source>
        <translation> MB</translation>
    </message>
    <message>
        <source>No limit</source>
        <translation>無上限</translation>
    </message>
    <message>
        <source>The day of the month your billing period starts</source>
        <translation>每月計費週期開始的日期</translation>
    </message>
    <message>
        <source>Disconnect at the limit</source>
        <translation>達上限時中斷連線</translation>
    </message>
    <message>
        <source>from day</source>
        <translation>起始日</translation>
    </message>
    <message>
        <source>An alert without a sound file stays off.</source>
        <translation>沒有音效檔的提示音會保持關閉。</translation>
    </message>
    <message>
        <source>open file operation error!</source>
        <translation>開啟檔案操作錯誤！</translation>
    </message>
    <message>
        <source>Not installed</source>
        <translation>未安裝</translation>
    </message>
    <message>
        <source>Dial with</source>
        <translation>撥號方式</translation>
    </message>
    <message>
        <source>wvdial</source>
        <translation>wvdial</translation>
    </message>
    <message>
        <source>pppd and a chat script</source>
        <translation>pppd 與 chat 指令稿</translation>
    </message>
</context>
<context>
    <name>CShortMsg</name>
    <message>
        <source>New Message</source>
        <translation>新簡訊</translation>
    </message>
    <message>
        <source>Inbox</source>
        <translation>收件匣</translation>
    </message>
    <message>
        <source>Outbox</source>
        <translation>寄件匣</translation>
    </message>
    <message>
        <source>Drafts</source>
        <translation>草稿</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>電腦</translation>
    </message>
    <message>
        <source>SIM card</source>
        <translation>SIM 卡</translation>
    </message>
    <message>
        <source>Modem</source>
        <translation>數據機</translation>
    </message>
    <message>
        <source>Overview</source>
        <translation>總覽</translation>
    </message>
    <message>
        <source>Short Messages</source>
        <translation>簡訊</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>閱讀</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>回覆</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>轉寄</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>移動</translation>
    </message>
    <message>
        <source>Save Number</source>
        <translation>儲存號碼</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>簡訊</translation>
    </message>
    <message>
        <source>Number:</source>
        <translation>號碼：</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>姓名：</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>日期：</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>返回</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>收件人：</translation>
    </message>
    <message>
        <source>Numbers, separated by ;</source>
        <translation>號碼，以 ; 分隔</translation>
    </message>
    <message>
        <source>Contacts</source>
        <translation>聯絡人</translation>
    </message>
    <message>
        <source>Write your message here</source>
        <translation>在此輸入簡訊內容</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>傳送</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>%1 on the %2 (%3)</source>
        <translation>%2的%1（%3）</translation>
    </message>
    <message>
        <source> SIM: %1 Item(s)</source>
        <translation> SIM：%1 則</translation>
    </message>
    <message>
        <source>Message in InBox Pc: %1 Item(s)</source>
        <translation>電腦收件匣：%1 則</translation>
    </message>
    <message>
        <source>Message in OutBox Pc: %1 Item(s)</source>
        <translation>電腦寄件匣：%1 則</translation>
    </message>
    <message>
        <source>Message in DraftBox Pc: %1 Item(s)</source>
        <translation>電腦草稿：%1 則</translation>
    </message>
    <message>
        <source>Datebase capacity:1500 Item(s)</source>
        <translation>資料庫容量：1500 則</translation>
    </message>
    <message>
        <source>no record!</source>
        <translation>沒有記錄！</translation>
    </message>
    <message>
        <source>select operation error!</source>
        <translation>選取操作錯誤！</translation>
    </message>
    <message>
        <source>Cann&apos;t read multiple SMS records simultaneously!</source>
        <translation>無法同時閱讀多則簡訊！</translation>
    </message>
    <message>
        <source>Please select a SMS first</source>
        <translation>請先選擇一則簡訊</translation>
    </message>
    <message>
        <source>Cann&apos;t reply multiple SMS records simulataneously!</source>
        <translation>無法同時回覆多則簡訊！</translation>
    </message>
    <message>
        <source>Please select SMS first!</source>
        <translation>請先選擇簡訊！</translation>
    </message>
    <message>
        <source>Cann&apos;t forward multiple SMS records simulataneously!</source>
        <translation>無法同時轉寄多則簡訊！</translation>
    </message>
    <message>
        <source>You haven&apos;t select any item,please select one of all at least!</source>
        <translation>您尚未選擇任何項目，請至少選擇一項！</translation>
    </message>
    <message>
        <source>Do you want to delete the item that you have selected?</source>
        <translation>要刪除所選的項目嗎？</translation>
    </message>
    <message>
        <source>Delete finished</source>
        <translation>刪除完成</translation>
    </message>
    <message>
        <source>Delete Operation error</source>
        <translation>刪除操作錯誤</translation>
    </message>
    <message>
        <source>Delete finished %1 items</source>
        <translation>已刪除 %1 項</translation>
    </message>
    <message>
        <source>Delete finished %1 items, unfinished %2 items</source>
        <translation>已刪除 %1 項，%2 項未刪除</translation>
    </message>
    <message>
        <source>delete finished %1 items, unfinished %2 items</source>
        <translation>已刪除 %1 項，%2 項未刪除</translation>
    </message>
    <message>
        <source>Delete Operation finished</source>
        <translation>刪除操作完成</translation>
    </message>
    <message>
        <source>The message file could not be written.</source>
        <translation>無法寫入簡訊檔案。</translation>
    </message>
    <message>
        <source>Do you want to move the item that you have selected?</source>
        <translation>要移動所選的項目嗎？</translation>
    </message>
    <message>
        <source>Move finished</source>
        <translation>移動完成</translation>
    </message>
    <message>
        <source>Move failed</source>
        <translation>移動失敗</translation>
    </message>
    <message>
        <source>Move %1 finished,%2 unfinished</source>
        <translation>已移動 %1 項，%2 項未移動</translation>
    </message>
    <message>
        <source>SMS length exceed!</source>
        <translation>簡訊長度超過上限！</translation>
    </message>
    <message>
        <source>Info: %1 /%2</source>
        <translation>資訊：%1 /%2</translation>
    </message>
    <message>
        <source>The phone number is null!</source>
        <translation>電話號碼為空！</translation>
    </message>
    <message>
        <source>The content is null!</source>
        <translation>內容為空！</translation>
    </message>
    <message>
        <source>Sorry, You cann&apos;t send more than 10 sms</source>
        <translation>抱歉，一次最多只能傳送 10 則簡訊</translation>
    </message>
    <message>
        <source>No SMS centre number is known: enter it in the message settings.</source>
        <translation>尚無簡訊中心號碼：請在簡訊設定中輸入。</translation>
    </message>
    <message>
        <source>Sending...</source>
        <translation>傳送中...</translation>
    </message>
    <message>
        <source>Send Success %1,failed %2</source>
        <translation>傳送成功 %1，失敗 %2</translation>
    </message>
    <message>
        <source>the phone num cann&apos;t be null</source>
        <translation>電話號碼不可為空</translation>
    </message>
    <message>
        <source>not stored with the message</source>
        <translation>未隨訊息儲存</translation>
    </message>
    <message>
        <source>Save as draft?</source>
        <translation>要儲存為草稿嗎？</translation>
    </message>
    <message>
        <source>The SIM card has no room for it.</source>
        <translation>SIM卡上沒有空間存放。</translation>
    </message>
    <message>
        <source>The SIM card refused it.</source>
        <translation>SIM卡拒絕了此操作。</translation>
    </message>
    <message>
        <source>The SIM card did not answer; a copy stays on the PC.</source>
        <translation>SIM卡沒有回應；電腦上保留一份副本。</translation>
    </message>
    <message>
        <source>The message is not kept in the form the SIM card stores.</source>
        <translation>此簡訊未以SIM卡儲存的格式保存。</translation>
    </message>
</context>
<context>
    <name>CentreWidget</name>
    <message>
        <source>Internet</source>
        <translation>網際網路</translation>
    </message>
    <message>
        <source>Messages</source>
        <translation>簡訊</translation>
    </message>
    <message>
        <source>SMS</source>
        <translation>簡訊</translation>
    </message>
    <message>
        <source>Phonebook</source>
        <translation>電話簿</translation>
    </message>
    <message>
        <source>PhoneBook</source>
        <translation>電話簿</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>SIM</source>
        <translation>SIM</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>說明</translation>
    </message>
    <message>
        <source>Web Site</source>
        <translation>網站</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>首頁</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>訊號</translation>
    </message>
    <message>
        <source>No Service</source>
        <translation>無服務</translation>
    </message>
    <message>
        <source>Network Type</source>
        <translation>網路類型</translation>
    </message>
    <message>
        <source>Not Found</source>
        <translation>找不到</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>電信業者</translation>
    </message>
    <message>
        <source>has new msg</source>
        <translation>有新簡訊</translation>
    </message>
    <message>
        <source>Data Not Connected</source>
        <translation>數據未連線</translation>
    </message>
    <message>
        <source>No (U)SIM</source>
        <translation>無 (U)SIM 卡</translation>
    </message>
    <message>
        <source>Tolva Be Not Detected</source>
        <translation>未偵測到 Tolva</translation>
    </message>
    <message>
        <source>Data Connected</source>
        <translation>數據已連線</translation>
    </message>
</context>
<context>
    <name>CheckPIN</name>
    <message>
        <source>Please enter PIN!</source>
        <translation>請輸入 PIN 碼！</translation>
    </message>
</context>
<context>
    <name>CommonConfig</name>
    <message>
        <source>Internet Connection</source>
        <translation>網際網路連線</translation>
    </message>
    <message>
        <source>Velto Modem Connection is already running.</source>
        <translation>Velto Modem Connection 已在執行中。</translation>
    </message>
</context>
<context>
    <name>Config</name>
    <message>
        <source>Config File</source>
        <translation>設定檔</translation>
    </message>
    <message>
        <source>Save User name and Password</source>
        <translation>儲存使用者名稱和密碼</translation>
    </message>
    <message>
        <source>Ask for User name and Password</source>
        <translation>詢問使用者名稱和密碼</translation>
    </message>
    <message>
        <source>User Name</source>
        <translation>使用者名稱</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密碼</translation>
    </message>
    <message>
        <source>Config Filename</source>
        <translation>設定檔名稱</translation>
    </message>
    <message>
        <source>Dial Number</source>
        <translation>撥號號碼</translation>
    </message>
    <message>
        <source>IP</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>PPP</source>
        <translation>PPP</translation>
    </message>
    <message>
        <source>PAP</source>
        <translation>PAP</translation>
    </message>
    <message>
        <source>CHAP</source>
        <translation>CHAP</translation>
    </message>
    <message>
        <source>PDP Type</source>
        <translation>PDP 類型</translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation>驗證</translation>
    </message>
    <message>
        <source>Obtain DNS address automatically</source>
        <translation>自動取得 DNS 位址</translation>
    </message>
    <message>
        <source>Use the following DNS address</source>
        <translation>使用下列 DNS 位址</translation>
    </message>
    <message>
        <source>Preferred DNS</source>
        <translation>慣用 DNS</translation>
    </message>
    <message>
        <source>Alternate DNS</source>
        <translation>其他 DNS</translation>
    </message>
    <message>
        <source>Obtain APN address automatically</source>
        <translation>自動取得 APN</translation>
    </message>
    <message>
        <source>Use the following APN address</source>
        <translation>使用下列 APN</translation>
    </message>
    <message>
        <source>APN</source>
        <translation>APN</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>電信業者</translation>
    </message>
    <message>
        <source>Obtain PDP address automatically</source>
        <translation>自動取得 PDP 位址</translation>
    </message>
    <message>
        <source>Use the following PDP address</source>
        <translation>使用下列 PDP 位址</translation>
    </message>
    <message>
        <source>PDP</source>
        <translation>PDP</translation>
    </message>
    <message>
        <source>DNS</source>
        <translation>DNS</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>ConnectionController</name>
    <message>
        <source>Save wvdial config data failed!</source>
        <translation>儲存 wvdial 設定資料失敗！</translation>
    </message>
    <message>
        <source>Read default wvdial config data failed!</source>
        <translation>讀取預設 wvdial 設定資料失敗！</translation>
    </message>
    <message>
        <source>Fail to connect! Link ppp0 was&apos;n built !</source>
        <translation>連線失敗！未建立 ppp0 連結！</translation>
    </message>
    <message>
        <source>Fail to connect! Can&apos;t get dns!</source>
        <translation>連線失敗！無法取得 DNS！</translation>
    </message>
    <message>
        <source>Fail to connect! DNS isn&apos;t valid !</source>
        <translation>連線失敗！DNS 無效！</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>連線</translation>
    </message>
    <message>
        <source>Connection is failed!</source>
        <translation>連線失敗！</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>中斷連線</translation>
    </message>
    <message>
        <source>Recover wvdial config data failed!</source>
        <translation>還原 wvdial 設定資料失敗！</translation>
    </message>
    <message>
        <source>State: Connecting.</source>
        <translation>狀態：連線中.</translation>
    </message>
    <message>
        <source>State: Connecting. .</source>
        <translation>狀態：連線中. .</translation>
    </message>
    <message>
        <source>State: Connecting. . .</source>
        <translation>狀態：連線中. . .</translation>
    </message>
    <message>
        <source>State: Connecting. . . .</source>
        <translation>狀態：連線中. . . .</translation>
    </message>
    <message>
        <source>State: Disconnecting.</source>
        <translation>狀態：中斷連線中.</translation>
    </message>
    <message>
        <source>State: Disconnecting. .</source>
        <translation>狀態：中斷連線中. .</translation>
    </message>
    <message>
        <source>State: Disconnecting. . .</source>
        <translation>狀態：中斷連線中. . .</translation>
    </message>
    <message>
        <source>State: Disconnecting. . . .</source>
        <translation>狀態：中斷連線中. . . .</translation>
    </message>
    <message>
        <source>State: Initializing</source>
        <translation>狀態：初始化</translation>
    </message>
    <message>
        <source>State: Initializing.</source>
        <translation>狀態：初始化.</translation>
    </message>
    <message>
        <source>State: Initializing. .</source>
        <translation>狀態：初始化. .</translation>
    </message>
    <message>
        <source>State: Initializing. . .</source>
        <translation>狀態：初始化. . .</translation>
    </message>
    <message>
        <source>State: Initializing. . . .</source>
        <translation>狀態：初始化. . . .</translation>
    </message>
    <message>
        <source>State: Connected</source>
        <translation>狀態：已連線</translation>
    </message>
    <message>
        <source>State: Disconnected</source>
        <translation>狀態：未連線</translation>
    </message>
    <message>
        <source>Amount Data of Transported: </source>
        <translation>已傳送資料量：</translation>
    </message>
    <message>
        <source>Amount Data of Received: </source>
        <translation>已接收資料量：</translation>
    </message>
    <message>
        <source>Connected Time: </source>
        <translation>連線時間：</translation>
    </message>
    <message>
        <source>Today: %1    This month: %2</source>
        <translation>今天：%1    本月：%2</translation>
    </message>
    <message>
        <source> of %1</source>
        <translation> / %1</translation>
    </message>
    <message>
        <source>This month&apos;s data limit of %1 is reached: the connection was ended.</source>
        <translation>已達本月 %1 的數據用量上限：連線已結束。</translation>
    </message>
    <message>
        <source>This month&apos;s data limit of %1 is reached, and the connection would be ended at once. To connect, raise the limit or switch off &quot;Disconnect at the limit&quot; in the network settings.</source>
        <translation>本月 %1 的數據用量上限已達到，連線會立即被中斷。若要連線，請在網路設定中提高上限或關閉「達上限時中斷連線」。</translation>
    </message>
    <message>
        <source>The connection&apos;s helper could not be run: it is missing, or the system did not authorise it.</source>
        <translation>無法執行連線的輔助程式：程式不存在，或系統未授權。</translation>
    </message>
    <message>
        <source>Another connection is being made or is up. Connect again once it has ended.</source>
        <translation>另一個連線正在建立或已連線。請在其結束後再連線。</translation>
    </message>
    <message>
        <source>Invalid Preferred DNS!Please check it!</source>
        <translation>慣用 DNS 無效！請檢查！</translation>
    </message>
    <message>
        <source>Invalid Alternate DNS!Please check it!</source>
        <translation>其他 DNS 無效！請檢查！</translation>
    </message>
    <message>
        <source>Neither wvdial nor pppd is installed: there is nothing to dial with.</source>
        <translation>未安裝 wvdial 或 pppd：無法撥號。</translation>
    </message>
    <message>
        <source>State: No modem found</source>
        <translation>狀態：未找到數據機</translation>
    </message>
</context>
<context>
    <name>ContactImport</name>
    <message>
        <source>(no name)</source>
        <translation>（無名稱）</translation>
    </message>
    <message>
        <source>no name</source>
        <translation>無名稱</translation>
    </message>
    <message>
        <source>no usable telephone number</source>
        <translation>沒有可用的電話號碼</translation>
    </message>
    <message>
        <source>already in the phonebook</source>
        <translation>已在電話簿中</translation>
    </message>
    <message>
        <source>the SIM card is full</source>
        <translation>SIM 卡已滿</translation>
    </message>
    <message>
        <source>the PC phonebook is full</source>
        <translation>電腦電話簿已滿</translation>
    </message>
    <message>
        <source>the SIM card refused it</source>
        <translation>SIM 卡拒絕儲存</translation>
    </message>
    <message numerus="yes">
        <source>%n number(s)</source>
        <translation>
            <numerusform>%n 個號碼</numerusform>
        </translation>
    </message>
    <message>
        <source>the e-mail address</source>
        <translation>電子郵件地址</translation>
    </message>
    <message>
        <source>without </source>
        <translation>缺少 </translation>
    </message>
    <message>
        <source> and </source>
        <translation> 和 </translation>
    </message>
    <message>
        <source>The phonebook file could not be written.</source>
        <translation>無法寫入電話簿檔案。</translation>
    </message>
</context>
<context>
    <name>ContactPickModel</name>
    <message>
        <source>Name</source>
        <translation>姓名</translation>
    </message>
    <message>
        <source>Mobile Phone</source>
        <translation>行動電話</translation>
    </message>
</context>
<context>
    <name>ContactTableModel</name>
    <message>
        <source>Name</source>
        <translation>姓名</translation>
    </message>
    <message>
        <source>MobilePhone</source>
        <translation>行動電話</translation>
    </message>
    <message>
        <source>HomePhone</source>
        <translation>住家電話</translation>
    </message>
    <message>
        <source>OfficePhone</source>
        <translation>公司電話</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>群組</translation>
    </message>
    <message>
        <source>Id</source>
        <translation>編號</translation>
    </message>
</context>
<context>
    <name>ContactView</name>
    <message>
        <source>Contact</source>
        <translation>聯絡人</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>姓名</translation>
    </message>
    <message>
        <source>Mobile phone</source>
        <translation>行動電話</translation>
    </message>
    <message>
        <source>Home phone</source>
        <translation>住家電話</translation>
    </message>
    <message>
        <source>Office phone</source>
        <translation>公司電話</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>電子郵件</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>群組</translation>
    </message>
    <message>
        <source>Save position</source>
        <translation>儲存位置</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>(U)SIM card</source>
        <translation>(U)SIM 卡</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>電腦</translation>
    </message>
</context>
<context>
    <name>DeliveryReport</name>
    <message>
        <source>network congestion</source>
        <translation>網路壅塞</translation>
    </message>
    <message>
        <source>recipient busy</source>
        <translation>收件人忙碌</translation>
    </message>
    <message>
        <source>no response from the recipient</source>
        <translation>收件人無回應</translation>
    </message>
    <message>
        <source>service rejected</source>
        <translation>服務被拒絕</translation>
    </message>
    <message>
        <source>quality of service not available</source>
        <translation>服務品質無法提供</translation>
    </message>
    <message>
        <source>error in the recipient&apos;s phone</source>
        <translation>收件人手機錯誤</translation>
    </message>
    <message>
        <source>remote procedure error</source>
        <translation>遠端程序錯誤</translation>
    </message>
    <message>
        <source>incompatible destination</source>
        <translation>目的地不相容</translation>
    </message>
    <message>
        <source>rejected by the recipient</source>
        <translation>收件人拒收</translation>
    </message>
    <message>
        <source>number not obtainable</source>
        <translation>號碼無法接通</translation>
    </message>
    <message>
        <source>no interworking available</source>
        <translation>無法跨網傳送</translation>
    </message>
    <message>
        <source>validity period expired</source>
        <translation>有效期限已過</translation>
    </message>
    <message>
        <source>deleted by the sender</source>
        <translation>已由寄件人刪除</translation>
    </message>
    <message>
        <source>deleted by the service centre</source>
        <translation>已由簡訊中心刪除</translation>
    </message>
    <message>
        <source>message does not exist</source>
        <translation>簡訊不存在</translation>
    </message>
    <message>
        <source>error %1</source>
        <translation>錯誤 %1</translation>
    </message>
    <message>
        <source>delivered %1</source>
        <translation>已送達 %1</translation>
    </message>
    <message>
        <source>sent, still trying: %1</source>
        <translation>已傳送，仍在重試：%1</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>失敗：%1</translation>
    </message>
    <message>
        <source>sent, awaiting report</source>
        <translation>已傳送，等待回報</translation>
    </message>
</context>
<context>
    <name>DeviceInfoPanel</name>
    <message>
        <source>PC Software Version: </source>
        <translation>電腦軟體版本：</translation>
    </message>
    <message>
        <source>Firmware Version: </source>
        <translation>韌體版本：</translation>
    </message>
    <message>
        <source>IMEI: </source>
        <translation>IMEI：</translation>
    </message>
    <message>
        <source>ISDN: </source>
        <translation>本機號碼：</translation>
    </message>
</context>
<context>
    <name>FrameDialog</name>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
</context>
<context>
    <name>Launcher</name>
    <message>
        <source>No web browser could be started. Please open %1 yourself.</source>
        <translation>無法啟動網頁瀏覽器。請自行開啟 %1。</translation>
    </message>
</context>
<context>
    <name>ManualSearch</name>
    <message>
        <source>Searching,please wait...</source>
        <translation>搜尋中，請稍候...</translation>
    </message>
    <message>
        <source>Selecting,please wait...</source>
        <translation>選擇中，請稍候...</translation>
    </message>
</context>
<context>
    <name>ManualSelect</name>
    <message>
        <source>Unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>Available</source>
        <translation>可用</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>目前</translation>
    </message>
    <message>
        <source>Forbidden</source>
        <translation>禁止</translation>
    </message>
    <message>
        <source>ManualSelect</source>
        <translation>手動選擇網路</translation>
    </message>
    <message>
        <source>Operator Status</source>
        <translation>業者狀態</translation>
    </message>
    <message>
        <source>Operator Name</source>
        <translation>業者名稱</translation>
    </message>
    <message>
        <source>Numeric Symbol</source>
        <translation>數字代碼</translation>
    </message>
    <message>
        <source>Networks Type</source>
        <translation>網路類型</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>重新整理</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>選擇</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>結束</translation>
    </message>
    <message>
        <source>Searching for networks...</source>
        <translation>正在搜尋網路...</translation>
    </message>
    <message>
        <source>No networks found.</source>
        <translation>找不到網路。</translation>
    </message>
    <message>
        <source>1 network found.</source>
        <translation>找到 1 個網路。</translation>
    </message>
    <message>
        <source>%1 networks found.</source>
        <translation>找到 %1 個網路。</translation>
    </message>
    <message>
        <source>Please select an operator!</source>
        <translation>請選擇電信業者！</translation>
    </message>
    <message>
        <source>Can not select the forbidden status operator!</source>
        <translation>無法選擇禁止狀態的電信業者！</translation>
    </message>
    <message>
        <source>Manually select net succeeded!</source>
        <translation>手動選擇網路成功！</translation>
    </message>
    <message>
        <source>Manually select net failed!</source>
        <translation>手動選擇網路失敗！</translation>
    </message>
</context>
<context>
    <name>ModemStartup</name>
    <message>
        <source>(U)sim isn&apos;t normal state!</source>
        <translation>(U)SIM 卡狀態異常！</translation>
    </message>
</context>
<context>
    <name>MyMessageBox</name>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>中止</translation>
    </message>
</context>
<context>
    <name>NewContact</name>
    <message>
        <source>New Contact</source>
        <translation>新增聯絡人</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>電腦</translation>
    </message>
    <message>
        <source>(U)SIM card</source>
        <translation>(U)SIM 卡</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Name *</source>
        <translation>姓名 *</translation>
    </message>
    <message>
        <source>Mobile phone *</source>
        <translation>行動電話 *</translation>
    </message>
    <message>
        <source>Home phone</source>
        <translation>住家電話</translation>
    </message>
    <message>
        <source>Office phone</source>
        <translation>公司電話</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>電子郵件</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>群組</translation>
    </message>
    <message>
        <source>Save position</source>
        <translation>儲存位置</translation>
    </message>
    <message>
        <source>Fields with * must be filled.</source>
        <translation>標示 * 的欄位為必填。</translation>
    </message>
    <message>
        <source>Edit Contact</source>
        <translation>編輯聯絡人</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>（無）</translation>
    </message>
    <message>
        <source>Email address  is invalid</source>
        <translation>電子郵件地址無效</translation>
    </message>
</context>
<context>
    <name>OldRootData</name>
    <message>
        <source>The earlier version of this program kept its messages, contacts, connection profiles, settings and data use in the administrator&apos;s folder. Move them here now? An administrator&apos;s password is needed for it.</source>
        <translation>本程式的舊版本將簡訊、聯絡人、連線設定檔、設定與數據用量存放在管理員的資料夾中。現在要移到這裡嗎？此操作需要管理員密碼。</translation>
    </message>
    <message>
        <source>The data could not be moved; it stays where it was, and you will be asked again at the next start.</source>
        <translation>無法移動資料；資料保留在原處，下次啟動時會再次詢問。</translation>
    </message>
    <message>
        <source>The messages, contacts, connection profiles, settings and data use of the earlier version are here now.</source>
        <translation>舊版本的簡訊、聯絡人、連線設定檔、設定與數據用量已移到這裡。</translation>
    </message>
</context>
<context>
    <name>PartStore</name>
    <message>
        <source>[part %1 of %2 missing]</source>
        <translation>[缺少第 %1 部分，共 %2 部分]</translation>
    </message>
</context>
<context>
    <name>PhoneBook</name>
    <message>
        <source>New</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>New Contact</source>
        <translation>新增聯絡人</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編輯</translation>
    </message>
    <message>
        <source>Edit the selected contact</source>
        <translation>編輯所選聯絡人</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Delete the selected contacts</source>
        <translation>刪除所選聯絡人</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>簡訊</translation>
    </message>
    <message>
        <source>Write a message to the selected contacts</source>
        <translation>傳簡訊給所選聯絡人</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>Copy the selected contacts</source>
        <translation>複製所選聯絡人</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪下</translation>
    </message>
    <message>
        <source>Cut the selected contacts</source>
        <translation>剪下所選聯絡人</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼上</translation>
    </message>
    <message>
        <source>Paste the contacts into the chosen folder</source>
        <translation>將聯絡人貼到所選資料夾</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>Save the selected or shown contacts as text or vCard</source>
        <translation>將所選或顯示的聯絡人儲存為文字或 vCard</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>匯入</translation>
    </message>
    <message>
        <source>Add the contacts of a vCard file to the chosen folder</source>
        <translation>將 vCard 檔案中的聯絡人加入所選資料夾</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>資料夾</translation>
    </message>
    <message>
        <source>Search name or number</source>
        <translation>搜尋姓名或號碼</translation>
    </message>
    <message>
        <source>PC</source>
        <translation>電腦</translation>
    </message>
    <message>
        <source>SIM</source>
        <translation>SIM</translation>
    </message>
    <message>
        <source>PC capacity : </source>
        <translation>電腦容量：</translation>
    </message>
    <message>
        <source>(U)SIM card capacity : </source>
        <translation>(U)SIM 卡容量：</translation>
    </message>
    <message>
        <source>Contacts sum : </source>
        <translation>聯絡人總數：</translation>
    </message>
    <message>
        <source>View</source>
        <translation>檢視</translation>
    </message>
    <message>
        <source>Send Message</source>
        <translation>傳送簡訊</translation>
    </message>
    <message>
        <source>Send Message to Folder</source>
        <translation>傳送簡訊給資料夾</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>全選</translation>
    </message>
    <message>
        <source>Undo Select All</source>
        <translation>取消全選</translation>
    </message>
    <message>
        <source>New Group</source>
        <translation>新增群組</translation>
    </message>
    <message>
        <source>Rename Group</source>
        <translation>重新命名群組</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>刪除群組</translation>
    </message>
    <message>
        <source>reading the SIM card...</source>
        <translation>正在讀取 SIM 卡...</translation>
    </message>
    <message>
        <source> SIM&apos;s  card is full,you can&apos;t add a new contact!</source>
        <translation>SIM 卡已滿，無法新增聯絡人！</translation>
    </message>
    <message>
        <source>saving...</source>
        <translation>儲存中...</translation>
    </message>
    <message>
        <source>The SIM card did not take the contact.</source>
        <translation>SIM 卡未接受此聯絡人。</translation>
    </message>
    <message>
        <source> PC&apos;s  card is full,you can&apos;t add a new contact!</source>
        <translation>電腦電話簿已滿，無法新增聯絡人！</translation>
    </message>
    <message>
        <source>The contact could not be saved on the PC.</source>
        <translation>無法將聯絡人儲存到電腦。</translation>
    </message>
    <message>
        <source>Do you want to delete the item that you have selected?</source>
        <translation>要刪除所選的項目嗎？</translation>
    </message>
    <message>
        <source>deleting...</source>
        <translation>刪除中...</translation>
    </message>
    <message>
        <source>You have deleted %1 contacts!</source>
        <translation>已刪除 %1 位聯絡人！</translation>
    </message>
    <message numerus="yes">
        <source>%n contact(s) could not be deleted.</source>
        <translation>
            <numerusform>有 %n 位聯絡人無法刪除。</numerusform>
        </translation>
    </message>
    <message>
        <source>The phonebook holds at most 20 groups.</source>
        <translation>電話簿最多可容納 20 個群組。</translation>
    </message>
    <message>
        <source>the name of the group can&apos;t be empty!!</source>
        <translation>群組名稱不可為空！</translation>
    </message>
    <message>
        <source>The group exists,please rename it!</source>
        <translation>群組已存在，請重新命名！</translation>
    </message>
    <message>
        <source>Sure to delete group: &apos;</source>
        <translation>確定要刪除群組「</translation>
    </message>
    <message>
        <source>&apos; and all contacts in it?</source>
        <translation>」及其中所有聯絡人嗎？</translation>
    </message>
    <message>
        <source> Some  information  of  the  contact  will  be  lost!</source>
        <translation>聯絡人的部分資訊將會遺失！</translation>
    </message>
    <message>
        <source>pasting...</source>
        <translation>貼上中...</translation>
    </message>
    <message>
        <source>The SIM&apos;s phonebook is full ,you have add %1 contacts.%2 contacts failed to add!</source>
        <translation>SIM 卡電話簿已滿，已新增 %1 位聯絡人，%2 位新增失敗！</translation>
    </message>
    <message>
        <source>The PC&apos;s phonebook is full ,you have add %1 contacts.%2 contacts failed to add!</source>
        <translation>電腦電話簿已滿，已新增 %1 位聯絡人，%2 位新增失敗！</translation>
    </message>
    <message>
        <source>Not every contact could be stored: %1 added, %2 not added.</source>
        <translation>部分聯絡人無法儲存：已新增 %1 位，%2 位未新增。</translation>
    </message>
    <message>
        <source>Text files (*.txt)</source>
        <translation>文字檔 (*.txt)</translation>
    </message>
    <message>
        <source>vCard files (*.vcf)</source>
        <translation>vCard 檔案 (*.vcf)</translation>
    </message>
    <message>
        <source>Export Contacts</source>
        <translation>匯出聯絡人</translation>
    </message>
    <message>
        <source>File %1 already exists.
Doyou want to overwrite it?</source>
        <translation>檔案 %1 已存在。
要覆寫嗎？</translation>
    </message>
    <message>
        <source>The file %1 could not be written.</source>
        <translation>無法寫入檔案 %1。</translation>
    </message>
    <message>
        <source>Import Contacts</source>
        <translation>匯入聯絡人</translation>
    </message>
    <message>
        <source>vCard files (*.vcf *.vcard);;All files (*)</source>
        <translation>vCard 檔案 (*.vcf *.vcard);;所有檔案 (*)</translation>
    </message>
    <message>
        <source>The file %1 could not be read.</source>
        <translation>無法讀取檔案 %1。</translation>
    </message>
    <message>
        <source>The file holds no contacts.</source>
        <translation>檔案中沒有聯絡人。</translation>
    </message>
    <message>
        <source>importing...</source>
        <translation>匯入中...</translation>
    </message>
    <message numerus="yes">
        <source>%n contact(s) imported.</source>
        <translation>
            <numerusform>已匯入 %n 位聯絡人。</numerusform>
        </translation>
    </message>
    <message>
        <source>Not imported:</source>
        <translation>未匯入：</translation>
    </message>
    <message>
        <source>Imported in part:</source>
        <translation>部分匯入：</translation>
    </message>
    <message>
        <source>The phonebook file could not be written.</source>
        <translation>無法寫入電話簿檔案。</translation>
    </message>
    <message numerus="yes">
        <source>%n name(s) are longer than the SIM card keeps and would be shortened. Go on?</source>
        <translation>
            <numerusform>有 %n 個姓名超過 SIM 卡可儲存的長度，將被縮短。要繼續嗎？</numerusform>
        </translation>
    </message>
    <message>
        <source>The SIM card keeps this name only as &quot;%1&quot;. Save it shortened?</source>
        <translation>SIM 卡只能將此姓名儲存為「%1」。要以縮短後的姓名儲存嗎？</translation>
    </message>
    <message numerus="yes">
        <source>%n contact(s) saved in %1.</source>
        <translation>
            <numerusform>已將 %n 位聯絡人儲存至 %1。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n name(s) shortened to what the SIM card keeps.</source>
        <translation>
            <numerusform>有 %n 個姓名已縮短為 SIM 卡可儲存的長度。</numerusform>
        </translation>
    </message>
    <message>
        <source>The contacts on the SIM card have not been read yet. Please try again later.</source>
        <translation>尚未讀取 SIM 卡上的聯絡人，請稍後再試。</translation>
    </message>
</context>
<context>
    <name>PinDialogBase</name>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>PIN is not entered!</source>
        <translation>未輸入 PIN 碼！</translation>
    </message>
    <message>
        <source>Length of PIN/PUK must be between 4 and 8!</source>
        <translation>PIN/PUK 碼長度必須介於 4 到 8 位之間！</translation>
    </message>
</context>
<context>
    <name>PinFlows</name>
    <message>
        <source>PIN is incorrect!</source>
        <translation>PIN 碼錯誤！</translation>
    </message>
    <message>
        <source>Please enter PIN!</source>
        <translation>請輸入 PIN 碼！</translation>
    </message>
    <message>
        <source>PIN is locked!</source>
        <translation>PIN 碼已鎖定！</translation>
    </message>
    <message>
        <source>Please enter the PUK!</source>
        <translation>請輸入 PUK 碼！</translation>
    </message>
    <message>
        <source>(U)SIM is failure!</source>
        <translation>(U)SIM 卡故障！</translation>
    </message>
    <message>
        <source>PUK is incorrect!</source>
        <translation>PUK 碼錯誤！</translation>
    </message>
    <message>
        <source>No PIN is entered! PIN enable settings unsuccessful!</source>
        <translation>未輸入 PIN 碼！啟用 PIN 碼設定失敗！</translation>
    </message>
    <message>
        <source>Settings successful!</source>
        <translation>設定成功！</translation>
    </message>
    <message>
        <source>Please set PIN enable!</source>
        <translation>請先啟用 PIN 碼！</translation>
    </message>
    <message>
        <source>PIN changes cancel!</source>
        <translation>已取消變更 PIN 碼！</translation>
    </message>
    <message>
        <source>Please input new PIN</source>
        <translation>請輸入新 PIN 碼</translation>
    </message>
    <message>
        <source>New PIN is cancelled!</source>
        <translation>已取消新 PIN 碼！</translation>
    </message>
    <message>
        <source>Please input new PIN again</source>
        <translation>請再次輸入新 PIN 碼</translation>
    </message>
    <message>
        <source>Different input of PIN code! Please input again!</source>
        <translation>兩次輸入的 PIN 碼不同！請重新輸入！</translation>
    </message>
    <message>
        <source>New PIN has been enabled!</source>
        <translation>新 PIN 碼已生效！</translation>
    </message>
    <message>
        <source>PIN is incorrect!PUK is locked!</source>
        <translation>PIN 碼錯誤！PUK 碼已鎖定！</translation>
    </message>
    <message>
        <source>The card didn&apos;t answer.</source>
        <translation>網卡沒有回應。</translation>
    </message>
</context>
<context>
    <name>ProfileRules</name>
    <message>
        <source>The Config Filename is empty!</source>
        <translation>設定檔名稱為空！</translation>
    </message>
    <message>
        <source>The Dial Number is empty!</source>
        <translation>撥號號碼為空！</translation>
    </message>
    <message>
        <source>The User Name is empty!</source>
        <translation>使用者名稱為空！</translation>
    </message>
    <message>
        <source>The Password is empty!</source>
        <translation>密碼為空！</translation>
    </message>
    <message>
        <source>The APN is empty!</source>
        <translation>APN 為空！</translation>
    </message>
    <message>
        <source>The Preferred DNS is empty!</source>
        <translation>慣用 DNS 為空！</translation>
    </message>
    <message>
        <source>Invalid Preferred DNS!Please check it!</source>
        <translation>慣用 DNS 無效！請檢查！</translation>
    </message>
    <message>
        <source>The Alternate DNS is empty!</source>
        <translation>其他 DNS 為空！</translation>
    </message>
    <message>
        <source>Invalid Alternate DNS!Please check it!</source>
        <translation>其他 DNS 無效！請檢查！</translation>
    </message>
    <message>
        <source>The PDP is empty!</source>
        <translation>PDP 為空！</translation>
    </message>
    <message>
        <source>Invalid PDP!Please check it!</source>
        <translation>PDP 無效！請檢查！</translation>
    </message>
    <message>
        <source>The text &quot;-|-&quot; can&apos;t be used in a field! Please revise!</source>
        <translation>欄位中不可使用文字「-|-」！請修改！</translation>
    </message>
    <message>
        <source>Control characters can&apos;t be used in a field! Please revise!</source>
        <translation>欄位中不可使用控制字元！請修改！</translation>
    </message>
</context>
<context>
    <name>ProfileStore</name>
    <message>
        <source>Can not open the file!</source>
        <translation>無法開啟檔案！</translation>
    </message>
    <message>
        <source>open file operation error!</source>
        <translation>開啟檔案操作錯誤！</translation>
    </message>
    <message>
        <source>the record is not exist!</source>
        <translation>記錄不存在！</translation>
    </message>
    <message>
        <source>initialize file operation error!</source>
        <translation>初始化檔案操作錯誤！</translation>
    </message>
    <message>
        <source>initialize Default Data error!</source>
        <translation>初始化預設資料錯誤！</translation>
    </message>
    <message>
        <source>initialize operation error!!</source>
        <translation>初始化操作錯誤！</translation>
    </message>
    <message>
        <source>open file error!</source>
        <translation>開啟檔案錯誤！</translation>
    </message>
    <message>
        <source>Duplicate Config Filename! Please revise!</source>
        <translation>設定檔名稱重複！請修改！</translation>
    </message>
    <message>
        <source>read default record error!</source>
        <translation>讀取預設記錄錯誤！</translation>
    </message>
    <message>
        <source>init Conlist operation error!</source>
        <translation>初始化連線清單錯誤！</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Copy</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼上</translation>
    </message>
</context>
<context>
    <name>ResetPIN</name>
    <message>
        <source>Please enter new PIN!</source>
        <translation>請輸入新 PIN 碼！</translation>
    </message>
    <message>
        <source>Please enter new PIN again!</source>
        <translation>請再次輸入新 PIN 碼！</translation>
    </message>
    <message>
        <source>PIN is not entered!</source>
        <translation>未輸入 PIN 碼！</translation>
    </message>
    <message>
        <source>New PIN is not accord with last! please enter again!</source>
        <translation>新 PIN 碼與上次輸入不符！請重新輸入！</translation>
    </message>
</context>
<context>
    <name>ServiceCodesDialog</name>
    <message>
        <source>Service codes</source>
        <translation>服務代碼</translation>
    </message>
    <message>
        <source>for example *100#</source>
        <translation>例如 *100#</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>傳送</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Enter a service code of your network, such as *100#.</source>
        <translation>請輸入電信業者的服務代碼，例如 *100#。</translation>
    </message>
    <message>
        <source>Code:</source>
        <translation>代碼：</translation>
    </message>
    <message>
        <source>Waiting for the network&apos;s answer...</source>
        <translation>正在等待網路回應...</translation>
    </message>
    <message>
        <source>The network waits for your reply.</source>
        <translation>網路正在等待您的回覆。</translation>
    </message>
    <message>
        <source>Reply:</source>
        <translation>回覆：</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>回覆</translation>
    </message>
    <message>
        <source>Cancelled.</source>
        <translation>已取消。</translation>
    </message>
    <message>
        <source>the number of your choice</source>
        <translation>您選擇的號碼</translation>
    </message>
</context>
<context>
    <name>SmsTableModel</name>
    <message>
        <source>PhoneNumber</source>
        <translation>電話號碼</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>姓名</translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation>日期/時間</translation>
    </message>
    <message>
        <source>State</source>
        <translation>狀態</translation>
    </message>
    <message>
        <source>new</source>
        <translation>未讀</translation>
    </message>
    <message>
        <source>read</source>
        <translation>已讀</translation>
    </message>
    <message>
        <source>send</source>
        <translation>已傳送</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>unsent</source>
        <translation>未傳送</translation>
    </message>
</context>
<context>
    <name>StatusMonitor</name>
    <message>
        <source>No Service</source>
        <translation>無服務</translation>
    </message>
    <message>
        <source>Not Found</source>
        <translation>找不到</translation>
    </message>
    <message>
        <source>Limited Service</source>
        <translation>有限服務</translation>
    </message>
</context>
<context>
    <name>TopBarWidget</name>
    <message>
        <source>Minimize</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
</context>
<context>
    <name>TrayIcon</name>
    <message>
        <source>Connect</source>
        <translation>連線</translation>
    </message>
    <message>
        <source>Show window</source>
        <translation>顯示視窗</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>結束</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>已連線</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>已中斷連線</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>中斷連線</translation>
    </message>
</context>
<context>
    <name>UssdSession</name>
    <message>
        <source>Only digits, &quot;*&quot;, &quot;#&quot; and &quot;+&quot; can be used, at most %1 of them.</source>
        <translation>只能使用數字、「*」、「#」和「+」，最多 %1 個字元。</translation>
    </message>
    <message>
        <source>The network hasn&apos;t answered yet.</source>
        <translation>網路尚未回應。</translation>
    </message>
    <message>
        <source>No card is connected.</source>
        <translation>未連接網卡。</translation>
    </message>
    <message>
        <source>The card refused the service code.</source>
        <translation>網卡拒絕了此服務代碼。</translation>
    </message>
    <message>
        <source>The card refused the service code: %1</source>
        <translation>網卡拒絕了此服務代碼：%1</translation>
    </message>
    <message>
        <source>The card didn&apos;t answer.</source>
        <translation>網卡沒有回應。</translation>
    </message>
    <message>
        <source>The network ended the session.</source>
        <translation>網路已結束此工作階段。</translation>
    </message>
    <message>
        <source>Another program on the card answered the request.</source>
        <translation>網卡上的其他程式已回應此要求。</translation>
    </message>
    <message>
        <source>The network doesn&apos;t offer this service code.</source>
        <translation>網路不提供此服務代碼。</translation>
    </message>
    <message>
        <source>The network didn&apos;t answer in time.</source>
        <translation>網路未及時回應。</translation>
    </message>
</context>
<context>
    <name>WTDialog</name>
    <message>
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>WTMainWindow</name>
    <message>
        <source>Connect to </source>
        <translation>連線到 </translation>
    </message>
    <message>
        <source>The last connection was not closed properly. Its dialer settings have been restored.</source>
        <translation>上次連線未正常結束，已還原其撥號設定。</translation>
    </message>
    <message>
        <source>The last connection was not closed properly, and its dialer settings could not be restored.</source>
        <translation>上次連線未正常結束，且無法還原其撥號設定。</translation>
    </message>
    <message>
        <source>Can not open the file!</source>
        <translation>無法開啟檔案！</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>網際網路</translation>
    </message>
    <message>
        <source>Short Message</source>
        <translation>簡訊</translation>
    </message>
    <message>
        <source>PhoneBook</source>
        <translation>電話簿</translation>
    </message>
    <message>
        <source>Connection Settings</source>
        <translation>連線設定</translation>
    </message>
    <message>
        <source>open file operation error!</source>
        <translation>開啟檔案操作錯誤！</translation>
    </message>
    <message>
        <source>Security Settings</source>
        <translation>安全設定</translation>
    </message>
    <message>
        <source>Network Settings</source>
        <translation>網路設定</translation>
    </message>
    <message>
        <source>Message Settings</source>
        <translation>簡訊設定</translation>
    </message>
    <message>
        <source>Alert Settings</source>
        <translation>提示設定</translation>
    </message>
    <message>
        <source>Cann&apos;t save multiple SMS records simultaneously!</source>
        <translation>無法同時儲存多則簡訊！</translation>
    </message>
    <message>
        <source>Please select SMS first!</source>
        <translation>請先選擇簡訊！</translation>
    </message>
    <message>
        <source>Plese select a message has sending number !</source>
        <translation>請選擇一則有寄件號碼的簡訊！</translation>
    </message>
    <message>
        <source>ModemManager leaves this card alone while this program uses it.</source>
        <translation>本程式使用此網卡期間，ModemManager 不會存取它。</translation>
    </message>
    <message>
        <source>(U)SIM Card is full, please delete some items</source>
        <translation>(U)SIM 卡已滿，請刪除部分項目</translation>
    </message>
    <message>
        <source>No Service</source>
        <translation>無服務</translation>
    </message>
    <message>
        <source>Not Found</source>
        <translation>找不到</translation>
    </message>
    <message>
        <source>Data Not Connected</source>
        <translation>數據未連線</translation>
    </message>
    <message>
        <source>Tolva Be Not Detected</source>
        <translation>未偵測到 Tolva</translation>
    </message>
    <message>
        <source>No (U)SIM</source>
        <translation>無 (U)SIM 卡</translation>
    </message>
    <message>
        <source>ModemManager has %1 open, so this program can&apos;t use the card. Stop it (systemctl stop ModemManager), or unplug the card and plug it in again.</source>
        <translation>ModemManager 正在使用 %1，本程式因此無法使用網卡。請停止它（systemctl stop ModemManager），或拔下網卡後重新插入。</translation>
    </message>
    <message>
        <source>ModemManager</source>
        <translation>ModemManager</translation>
    </message>
    <message>
        <source>Network Type</source>
        <translation>網路類型</translation>
    </message>
    <message>
        <source>Tolva Online</source>
        <translation>Tolva 已連線</translation>
    </message>
    <message>
        <source>(U)SIM Validate Canceled</source>
        <translation>(U)SIM 驗證已取消</translation>
    </message>
    <message>
        <source>(U)SIM Ready</source>
        <translation>(U)SIM 就緒</translation>
    </message>
    <message>
        <source>Service Type</source>
        <translation>服務類型</translation>
    </message>
    <message>
        <source>Connected to </source>
        <translation>已連線到 </translation>
    </message>
    <message>
        <source>Please wait a minute.... </source>
        <translation>請稍候.... </translation>
    </message>
    <message>
        <source>Please wait a minute.    </source>
        <translation>請稍候.    </translation>
    </message>
    <message>
        <source>Please wait a minute..   </source>
        <translation>請稍候..   </translation>
    </message>
    <message>
        <source>Please wait a minute...  </source>
        <translation>請稍候...  </translation>
    </message>
    <message>
        <source>Please wait a minute.....</source>
        <translation>請稍候.....</translation>
    </message>
    <message>
        <source>SIM PUK</source>
        <translation>SIM PUK</translation>
    </message>
    <message>
        <source>SIM PIN</source>
        <translation>SIM PIN</translation>
    </message>
    <message>
        <source>New PIN</source>
        <translation>新 PIN</translation>
    </message>
    <message>
        <source>%1 works only as a network interface (QMI, MBIM or NCM), without the serial ports through which this program drives modems. NetworkManager with ModemManager drives it: connect it in the desktop&apos;s network settings or with nmcli.</source>
        <translation>%1 僅以網路介面（QMI、MBIM 或 NCM）運作，沒有本程式用來控制數據機的序列埠。請改用 NetworkManager 與 ModemManager：在桌面的網路設定中或以 nmcli 連線。</translation>
    </message>
    <message>
        <source>%1 works as a network card of its own, like a router on USB, without the serial ports through which this program drives modems. Connect it on the stick&apos;s own web page in a browser; NetworkManager uses it as a wired connection.</source>
        <translation>%1 以獨立網路卡的方式運作，如同 USB 上的路由器，沒有本程式用來控制數據機的序列埠。請在瀏覽器中開啟網卡本身的網頁來連線；NetworkManager 會將它當作有線連線使用。</translation>
    </message>
    <message>
        <source>Network only</source>
        <translation>僅網路</translation>
    </message>
    <message>
        <source>Disc mode</source>
        <translation>光碟模式</translation>
    </message>
    <message>
        <source>%1 still shows its disc (CD-ROM) instead of its modem ports. It is being switched to its modem mode with usb_modeswitch.</source>
        <translation>%1 仍顯示其光碟（CD-ROM），而非數據機連接埠。正以 usb_modeswitch 將其切換至數據機模式。</translation>
    </message>
    <message>
        <source>%1 still shows its disc (CD-ROM) instead of its modem ports. Install the packages usb-modeswitch and usb-modeswitch-data, which switch such sticks to their modem mode, then unplug the stick and plug it in again.</source>
        <translation>%1 仍顯示其光碟（CD-ROM），而非數據機連接埠。請安裝 usb-modeswitch 與 usb-modeswitch-data 套件（可將此類網卡切換至數據機模式），然後拔下網卡再重新插入。</translation>
    </message>
    <message>
        <source>%1 still shows its disc (CD-ROM) instead of its modem ports, and it was not switched to its modem mode: the authorisation was refused or usb_modeswitch failed. Unplug the stick and plug it in again to try once more.</source>
        <translation>%1 仍顯示其光碟（CD-ROM），而非數據機連接埠，且未能切換至數據機模式：授權遭拒或 usb_modeswitch 失敗。請拔下網卡再重新插入，以再試一次。</translation>
    </message>
</context>
<context>
    <name>WirelessWindow</name>
    <message>
        <source>Internet Connection</source>
        <translation>網際網路連線</translation>
    </message>
    <message>
        <source>State: Initializing.....</source>
        <translation>狀態：初始化.....</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>連線</translation>
    </message>
    <message>
        <source>Home Page</source>
        <translation>首頁</translation>
    </message>
    <message>
        <source>Service codes...</source>
        <translation>服務代碼...</translation>
    </message>
    <message>
        <source>The last 30 days</source>
        <translation>最近 30 天</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>PC Software Version: </source>
        <translation>電腦軟體版本：</translation>
    </message>
    <message>
        <source>Initializing...</source>
        <translation>初始化中...</translation>
    </message>
</context>
</TS>
